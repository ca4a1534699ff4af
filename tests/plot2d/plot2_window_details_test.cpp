// Details of the 2D window a user meets around its document: captions that name the document,
// the clipboard notice, the label background shown at once.
#include <gtest/gtest.h>

#include "tests/window_test.h"

#include <unistd.h>

#include "framework/automation.h"
#include "plot2d/fn_list_dlg.h"
#include "plot2d/plot2_win.h"
#include "plotwin/colour_table.h"
#include "plotwin/file_msg_win.h"
#include "plotwin/frame_commands.h"
#include "plotwin/value_parser.h"
#include "resources/resources.h"
#include "textwin/col_win.h"
#include "textwin/note_win.h"

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

class Plot2DetailsTest : public curvelo::testing::WindowTest {
protected:
    // The file dialogs answer with this path.
    void Choose(const std::string& path) {
        au::SetFileDialogHook([path](bool, fw::FileDialogOptions& o) {
            o.fileName = path;
            return true;
        });
    }
};

std::string InventoryCaption(const std::string& name) { return std::string(res::String(165)) + name; }

}  // namespace

// The inventory dialog, the palette and the notepad follow the document's name through
// "Mentés másként" and Ctrl+O; the palette never takes the pointer's coordinates along.
TEST_F(Plot2DetailsTest, CaptionsFollowTheDocumentsCurrentName) {
    const std::string dir = ::testing::TempDir();
    {
        TPlot2Win other(nullptr, "névtelen9.cv2");
        ASSERT_TRUE(other.Create());
        ASSERT_EQ(other.WriteDocument(dir + "/masik.cv2"), 0);
    }
    TPlot2Win w(nullptr, "névtelen1.cv2");
    w.SetDocumentWindow(true);
    ASSERT_TRUE(w.Create());
    w.Show();
    au::ProcessEvents();
    w.ShowInventory();
    ASSERT_NE(w.InventoryDialog(), nullptr);
    EXPECT_EQ(w.InventoryDialog()->GetCaption(), InventoryCaption("névtelen1.cv2"));
    w.SetCaption("névtelen1.cv2   [x = 1.5; y = -2]");  // as while the pointer moves over it
    w.ChooseColour(kColourKindDrawing);
    ASSERT_NE(w.Palette(), nullptr);
    EXPECT_EQ(w.Palette()->GetCaption(), "névtelen1.cv2");

    Choose(dir + "/uj.cv2");
    w.RunCommand(filecmd::kSaveAs);
    EXPECT_EQ(w.FileName(), dir + "/uj.cv2");
    EXPECT_EQ(w.InventoryDialog()->GetCaption(), InventoryCaption("uj.cv2"));
    EXPECT_EQ(w.Palette()->GetCaption(), "uj.cv2");
    EXPECT_EQ(w.Notepad()->GetCaption(), TNoteWin::CaptionFor("uj.cv2"));

    Choose(dir + "/masik.cv2");
    w.RunCommand(filecmd::kOpen);
    EXPECT_EQ(w.FileName(), dir + "/masik.cv2");
    EXPECT_EQ(w.InventoryDialog()->GetCaption(), InventoryCaption("masik.cv2"));
    EXPECT_EQ(w.Palette()->GetCaption(), "masik.cv2");
    EXPECT_TRUE(messages.empty());
    w.Show(false);
}

// The notice that the window owns the clipboard's bitmap is told once per window.
TEST_F(Plot2DetailsTest, BitmapNoticeOncePerWindow) {
    const std::string notice = MessageText(kMsgBitmapOwned);
    for (int window = 0; window < 2; ++window) {
        TPlot2Win w(nullptr, "névtelen1.cv2");
        ASSERT_TRUE(w.Create());
        w.Show();
        au::ProcessEvents();
        messages.clear();
        for (int i = 0; i < 3; ++i) w.CopyBitmap();
        EXPECT_EQ(messages, std::vector<std::string>{notice}) << window;
        EXPECT_FALSE(w.ClipboardBitmap().IsNull());
        w.Show(false);
    }
}

// Opaque tick numbers hide the grid lines under them; switching the background shows on the
// window's picture at once, without a change of the view.
TEST_F(Plot2DetailsTest, LabelBackgroundSwitchRepaintsAtOnce) {
    TPlot2Win w(nullptr, "névtelen1.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    for (int i = 0; i < 10; ++i) {  // the window takes its outer size once it is framed
        au::ProcessEvents();
        usleep(10000);
    }
    w.Frame().gridFlags |= kGridSquare;
    w.RenderLayer(w.CurrentLayer());
    au::ProcessEvents();
    auto gridPixels = [&w] {
        const fw::Bitmap& b = w.LayerBitmap(w.CurrentLayer());
        const Rgb g = ColourOf(w.Frame().gridColour);
        int n = 0;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                if (const fw::Color p = b.GetPixel(x, y); p.r == g.r && p.g == g.g && p.b == g.b) ++n;
        return n;
    };
    ASSERT_TRUE(FrameCommandChecked(kCmdOpaqueLabels, w.Frame()));
    const int opaque = gridPixels();
    w.RunCommand(kCmdOpaqueLabels);
    au::ProcessEvents();
    EXPECT_FALSE(FrameCommandChecked(kCmdOpaqueLabels, w.Frame()));
    const int transparent = gridPixels();
    EXPECT_GT(transparent, opaque);  // the lines now run through the numbers
    w.RunCommand(kCmdOpaqueLabels);
    au::ProcessEvents();
    EXPECT_EQ(gridPixels(), opaque) << transparent;
    w.Show(false);
}
