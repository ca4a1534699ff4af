#include "framework/automation.h"
#include "framework/command_enabler.h"
#include "framework/dialog.h"
#include "plotwin/lum_wint.h"
#include "plotwin/text_dlg.h"
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

TEST(TextLabel, HyphenCodeReplacesEveryHyphenOnlyWithinTheCodePage) {
    TextLabel l;
    l.text = ReplaceHyphens("-x", 150);
    EXPECT_EQ(l.Store()[TextLabel::kOffText], 150);
    EXPECT_EQ(l.Store()[TextLabel::kOffText + 1], 'x');
    EXPECT_EQ(ReplaceHyphens("a-b-c", 45), "a-b-c");
    EXPECT_EQ(ReplaceHyphens("a-b-c", 0), "a-b-c");
    EXPECT_EQ(ReplaceHyphens("a-b-c", 256), "a-b-c");
    EXPECT_EQ(ReplaceHyphens("ő-ő", 150), "ő\u2013ő");
}

TEST(TextLabel, OwnFontAndPointSizeSurviveTheRecord) {
    TextLabel l;
    EXPECT_TRUE(TextLabel::Load(l.Store()).font.faceName.empty());  // the window's font
    l.font.faceName = "DejaVu Serif";
    l.font.height = -20;
    l.font.weight = 700;
    l.font.italic = 1;
    l.pointSize = 15;
    const TextLabel back = TextLabel::Load(l.Store());
    EXPECT_EQ(back.font.faceName, "DejaVu Serif");
    EXPECT_EQ(back.font.height, -20);
    EXPECT_EQ(back.font.weight, 700);
    EXPECT_EQ(back.font.italic, 1);
    EXPECT_EQ(back.pointSize, 15);
}

TEST(TextLabel, ReanchoringAndDraggingKeepTheScreenArithmeticRight) {
    PlotView v;
    v.SetClientSize(400, 300);
    v.SetViewSquare(1, 1, 5);
    const std::vector<WorldPoint> points = {{2, 3}};
    TextLabel l;
    l.x = 4;
    l.y = -1;
    for (std::int16_t anchor : {TextLabel::kAnchorWindow, std::int16_t{0}, TextLabel::kAnchorPlane}) {
        Reanchor(l, anchor, v, points);
        EXPECT_EQ(l.anchor, anchor);
        const WorldPoint at = AnchorToPlane(l, v, points);
        EXPECT_NEAR(static_cast<double>(at.x), 4, 1e-12);
        EXPECT_NEAR(static_cast<double>(at.y), -1, 1e-12);
    }
    Reanchor(l, TextLabel::kAnchorWindow, v, points);
    const int px = v.ToPixelX(AnchorToPlane(l, v, points).x), py = v.ToPixelY(AnchorToPlane(l, v, points).y);
    MoveByPixels(l, v, 30, -20);
    EXPECT_EQ(v.ToPixelX(AnchorToPlane(l, v, points).x), px + 30);
    EXPECT_EQ(v.ToPixelY(AnchorToPlane(l, v, points).y), py - 20);
}

TEST(LumWint, TheLabelDialogPlacesEditsAndAnchorsLabels) {
    au::EnsureApplication();
    TLumWint w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    const fw::Point at{120, 90};

    // Cancel, or an empty text, places nothing.
    au::SetDialogHook([](fw::TDialog& d) {
        d.SetItemText(textdlg::kText, "semmi");
        return 2;
    });
    w.NewLabelAt(at);
    au::SetDialogHook([](fw::TDialog&) { return 1; });
    w.NewLabelAt(at);
    EXPECT_TRUE(w.Labels().empty());

    // Without points the point anchor is not offered; "ábra" is the start.
    bool pointOffered = true, planeChecked = false;
    au::SetDialogHook([&](fw::TDialog& d) {
        pointOffered = d.IsItemVisible(textdlg::kPoint) || d.IsItemVisible(textdlg::kPointList);
        planeChecked = d.IsItemChecked(textdlg::kPlane);
        EXPECT_EQ(d.GetItemText(textdlg::kHyphenCode), "150");
        EXPECT_FALSE(d.IsItemChecked(textdlg::kHyphenBox));
        d.SetItemText(textdlg::kText, "-x");
        d.CheckItem(textdlg::kHyphenBox, true);
        d.CheckItem(textdlg::kOpaque, true);
        d.CheckItem(textdlg::kPlane, false);
        d.CheckItem(textdlg::kFix, true);
        return 1;
    });
    w.NewLabelAt(at);
    ASSERT_EQ(w.Labels().size(), 1u);
    EXPECT_FALSE(pointOffered);
    EXPECT_TRUE(planeChecked);
    const TextLabel& l = w.Labels()[0];
    EXPECT_EQ(l.Store()[TextLabel::kOffText], 150);
    EXPECT_EQ(l.opaque, 0);
    EXPECT_EQ(l.anchor, TextLabel::kAnchorWindow);
    EXPECT_TRUE(w.IsModified());
    // Anchored to the window, it stays where it was clicked when the view pans.
    w.View().Pan(1, 1);
    const fw::Rect box = w.LabelRect(w.Labels()[0]);
    EXPECT_EQ(box.left, at.x);
    EXPECT_EQ(box.top, at.y);
    EXPECT_EQ(w.LabelAt({at.x + 2, at.y + 2}), 0);
    EXPECT_EQ(w.LabelAt({at.x - 5, at.y}), -1);

    // Editing: the dialog shows what is stored; the font dialog gives the label its own font.
    std::string startFace;
    au::SetFontDialogHook([&](fw::LogFont& f) {
        startFace = f.faceName;
        f.faceName = "DejaVu Serif";
        f.height = -24;
        return true;
    });
    bool fixShown = false, opaqueShown = false;
    au::SetDialogHook([&](fw::TDialog& d) {
        fixShown = d.IsItemChecked(textdlg::kFix);
        opaqueShown = d.IsItemChecked(textdlg::kOpaque);
        d.EvCommand(textdlg::kFont);
        d.CheckItem(textdlg::kOpaque, false);
        return 1;
    });
    w.EditLabel(0);
    au::SetDialogHook({});
    au::SetFontDialogHook({});
    EXPECT_EQ(startFace, w.Font(kFontLabels).faceName);  // starts from the window's label font
    EXPECT_TRUE(fixShown);
    EXPECT_TRUE(opaqueShown);
    EXPECT_EQ(w.Labels()[0].font.faceName, "DejaVu Serif");
    EXPECT_EQ(w.Labels()[0].pointSize, 18);
    EXPECT_EQ(w.Labels()[0].opaque, 1);
    EXPECT_GT(w.LabelRect(w.Labels()[0]).Height(), box.Height());  // the larger font is measured

    // A drag moves it by the pixels dragged.
    w.MoveLabel(0, 15, 10);
    EXPECT_EQ(w.LabelRect(w.Labels()[0]).left, at.x + 15);
    EXPECT_EQ(w.LabelRect(w.Labels()[0]).top, at.y + 10);

    au::SetDialogHook([](fw::TDialog& d) {
        d.SetItemText(textdlg::kText, "");
        return 1;
    });
    w.EditLabel(0);
    au::SetDialogHook({});
    EXPECT_TRUE(w.Labels().empty());
}
