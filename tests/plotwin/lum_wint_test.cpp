#include "framework/automation.h"
#include "framework/command_enabler.h"
#include "framework/dialog.h"
#include "plotwin/lum_wint.h"
#include "plotwin/text_label.h"

#include <gtest/gtest.h>

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

bool Enabled(fw::TWindow& w, int id) {
    fw::TCommandEnabler ce(id);
    w.EvCommandEnable(id, ce);
    return ce.Enabled().value_or(true);
}

// Pixels of the box right below and to the right of a label's point that are not white.
int InkNear(const fw::Bitmap& b, int px, int py) {
    int ink = 0;
    for (int y = py; y < py + 14 && y < b.Height(); ++y)
        for (int x = px; x < px + 60 && x < b.Width(); ++x)
            if (b.GetPixel(x, y) != fw::Color{255, 255, 255}) ++ink;
    return ink;
}

}  // namespace

TEST(TextLabel, RecordKeepsWhatItDoesNotReadAndCutsLongTexts) {
    TextLabel::Image raw{};
    for (std::size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<std::uint8_t>(i * 7);
    TextLabel l = TextLabel::Load(raw);
    l.key = -3;
    l.opaque = 0;
    l.text = "idő " + std::string(80, 'x');
    l.x = 1.25L;
    l.y = -2.5L;
    l.anchor = TextLabel::kAnchorWindow;
    l.shown = 0;
    const TextLabel::Image stored = l.Store();
    for (std::size_t i = TextLabel::kOffFont; i < TextLabel::kOffLink; ++i) EXPECT_EQ(stored[i], raw[i]) << i;
    EXPECT_EQ(stored[TextLabel::kOffText + 2], 0xF5);  // ő in the document's code page
    EXPECT_EQ(stored[TextLabel::kOffText + 60], 0);    // 60 characters and the NUL
    const TextLabel back = TextLabel::Load(stored);
    EXPECT_EQ(back.key, -3);
    EXPECT_EQ(back.opaque, 0);
    EXPECT_EQ(back.text.size(), std::string("idő ").size() + 56);
    EXPECT_EQ(back.x, 1.25L);
    EXPECT_EQ(back.y, -2.5L);
    EXPECT_EQ(back.anchor, TextLabel::kAnchorWindow);
    EXPECT_EQ(back.shown, 0);
}

TEST(TextLabel, WindowLabelsKeepTheirScreenPlaceWhenTheViewPans) {
    PlotView v;
    v.SetClientSize(400, 300);
    v.SetViewSquare(0, 0, 5);
    TextLabel fixed, plane, onPoint;
    fixed.anchor = TextLabel::kAnchorWindow;
    fixed.x = 1;
    plane.x = 1;
    onPoint.anchor = 1;
    onPoint.x = 0.5L;
    const std::vector<WorldPoint> points = {{0, 0}, {2, 3}};
    const int fixedBefore = v.ToPixelX(AnchorToPlane(fixed, v, points).x);
    const int planeBefore = v.ToPixelX(AnchorToPlane(plane, v, points).x);
    v.Pan(1, 0);
    EXPECT_EQ(v.ToPixelX(AnchorToPlane(fixed, v, points).x), fixedBefore);
    EXPECT_NE(v.ToPixelX(AnchorToPlane(plane, v, points).x), planeBefore);
    EXPECT_EQ(AnchorToPlane(onPoint, v, points).x, 2.5L);
    onPoint.anchor = 7;  // no such point: the plane position
    EXPECT_EQ(AnchorToPlane(onPoint, v, points).x, 0.5L);
}

TEST(LumWint, LabelsAreDrawnHiddenAndDeletedThroughTheirCommands) {
    au::EnsureApplication();
    TLumWint w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    EXPECT_FALSE(Enabled(w, labelcmd::kDeleteAll));
    EXPECT_FALSE(Enabled(w, labelcmd::kShowHide));

    TextLabel l;
    l.text = "csúcs";
    l.x = 2;
    l.y = 2;
    w.Labels().push_back(l);
    EXPECT_TRUE(Enabled(w, labelcmd::kDeleteAll));
    w.RenderLayer(0);
    const PlotView& v = w.View();
    const int px = v.ToPixelX(2), py = v.ToPixelY(2);
    EXPECT_GT(InkNear(w.LayerBitmap(0), px, py), 10);

    w.RunCommand(labelcmd::kShowHide);
    w.RenderLayer(0);
    EXPECT_EQ(InkNear(w.LayerBitmap(0), px, py), 0);
    w.RunCommand(labelcmd::kShowHide);

    au::SetDialogHook([](fw::TDialog&) { return 89; });  // "no" keeps them
    w.RunCommand(labelcmd::kDeleteAll);
    EXPECT_EQ(w.Labels().size(), 1u);
    au::SetDialogHook([](fw::TDialog&) { return 88; });  // "yes"
    w.RunCommand(labelcmd::kDeleteAll);
    au::SetDialogHook({});
    EXPECT_TRUE(w.Labels().empty());
    EXPECT_TRUE(w.IsModified());
}
