// The exports of a real window: PiCTeX and TikZ compiled by a real TeX and compared with the
// window's own mapping, command 70 through its dialogs, and the frame animation as a GIF
// and as numbered PNG frames.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "expr/letters.h"
#include "framework/automation.h"
#include "framework/dialog.h"
#include "framework/safe_file.h"
#include "plot2d/example_kinds.h"
#include "plot2d/plot2_win.h"
#include "plotwin/dialog_ids.h"
#include "tests/window_test.h"

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

constexpr int kW = 400, kH = 300;

class PictureExportTest : public curvelo::testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        char pattern[] = "/tmp/curvelo-exportXXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        WindowTest::TearDown();
        std::system(("rm -rf '" + dir + "'").c_str());
    }
    // -5..5 x -3.75..3.75 in 400 x 300 with the axes and y = 2 + a*sin(x).
    void Scene(TPlot2Win& w) {
        ASSERT_TRUE(w.Create());
        w.MoveWindow({0, 0, kW, kH});
        w.View().SetClientSize(kW, kH);
        w.View().SetViewFree(0, 0, 5, 3.75L, true);
        w.View().ApplyView();
        w.Frame().axesShown = 1;
        const int i = w.Inventory().Begin(kKindExplicit, -5, 5);
        w.Inventory().At(i).texts[1] = "2+a*sin(x)";
        w.Inventory().Commit(i, w.Engine());
        SetLetter(w.Engine().letters, 1, 1);
    }
    std::string dir;
};

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteText(const std::string& path, const std::string& text) { ASSERT_TRUE(WriteFileSafely(path, text)); }

bool HaveTeX() {
    return std::system("command -v pdftex && command -v pdflatex && command -v pdftoppm > /dev/null 2>&1") == 0;
}

// A grey page read from pdftoppm's PGM.
struct Page {
    int w = 0, h = 0;
    std::vector<unsigned char> grey;
    bool Dark(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && grey[std::size_t(y) * w + x] < 170; }
};

Page ReadPgm(const std::string& path) {
    Page p;
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxval = 0;
    in >> magic >> p.w >> p.h >> maxval;
    in.get();
    if (magic != "P5" || p.w <= 0 || p.h <= 0 || p.w > 4000 || p.h > 4000) return {};
    p.grey.resize(std::size_t(p.w) * p.h);
    in.read(reinterpret_cast<char*>(p.grey.data()), static_cast<std::streamsize>(p.grey.size()));
    return p;
}

// Page and margins of the picture's size, the picture in the upper left corner. A PiCTeX
// picture reaches half a ten-point period (1.39 pt across, 0.53 pt up) past its corners,
// where the invisible corner marks stand.
const char* kPlainPage =
    "\\pdfpagewidth=8cm \\pdfpageheight=6cm \\hoffset=-1in \\voffset=-1in \\hsize=8cm \\vsize=20cm\n"
    "\\advance\\hoffset by -1.39pt \\advance\\voffset by -0.53pt\n"
    "\\parindent=0pt \\topskip=0pt \\nopagenumbers\n";
const char* kLatexPage =
    "\\documentclass{article}\n\\paperwidth=8cm \\paperheight=6cm\n"
    "\\hoffset=-1in \\voffset=-1in \\oddsidemargin=0pt \\topmargin=0pt \\headheight=0pt \\headsep=0pt\n"
    "\\topskip=0pt \\parindent=0pt \\textwidth=8cm \\textheight=20cm \\pagestyle{empty}\n";
const char* kPictexOverhang = "\\advance\\hoffset by -1.39pt \\advance\\voffset by -0.53pt\n";

// Compiles the wrapper in dir and returns the page at 127 dots an inch: 8 cm = 400 pixels,
// the window's own scale.
Page Compile(const std::string& dir, const std::string& engine, const std::string& wrapper) {
    WriteText(dir + "/wrap.tex", wrapper);
    const std::string cmd = "cd '" + dir + "' && timeout 120 " + engine +
                            " -interaction=nonstopmode -halt-on-error wrap.tex > tex.log 2>&1 && "
                            "pdftoppm -r 127 -gray -singlefile wrap.pdf page > /dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) {
        ADD_FAILURE() << "TeX failed:\n" << ReadText(dir + "/tex.log").substr(0, 3000);
        return {};
    }
    return ReadPgm(dir + "/page.pgm");
}

// The axes and the curve stand where the window draws them, within a few pixels.
void ExpectWindowPicture(const Page& page, const PlotView& v, const std::string& what) {
    ASSERT_GE(page.w, kW - 2) << what;
    ASSERT_GE(page.h, kH - 2) << what;
    const int axisRow = v.ToPixelY(0), axisCol = v.ToPixelX(0);
    int bestRow = -1, bestRowCount = 0, bestCol = -1, bestColCount = 0;
    for (int r = 0; r < kH; ++r) {
        int n = 0;
        for (int c = 0; c < kW; ++c) n += page.Dark(c, r);
        if (n > bestRowCount) bestRowCount = n, bestRow = r;
    }
    for (int c = 0; c < kW; ++c) {
        int n = 0;
        for (int r = 0; r < kH; ++r) n += page.Dark(c, r);
        if (n > bestColCount) bestColCount = n, bestCol = c;
    }
    EXPECT_NEAR(bestRow, axisRow, 2) << what << ": the x axis";
    EXPECT_GE(bestRowCount, kW * 9 / 10) << what;
    EXPECT_NEAR(bestCol, axisCol, 2) << what << ": the y axis";
    EXPECT_GE(bestColCount, kH * 9 / 10) << what;
    for (int c : {20, 60, 100, 140, 260, 300, 340, 380}) {
        const long double x = v.xmin + (c + 0.5L) / kW * (v.xmax - v.xmin);
        const int expected = v.ToPixelY(2 + std::sin(x));
        int nearest = -1;
        for (int r = 0; r < axisRow - 8; ++r)
            if (page.Dark(c, r) && (nearest < 0 || std::abs(r - expected) < std::abs(nearest - expected))) nearest = r;
        EXPECT_NEAR(nearest, expected, 3) << what << ": the curve in column " << c;
        for (int r = 0; r < axisRow - 8; ++r) {
            if (std::abs(r - expected) > 6) {
                EXPECT_FALSE(page.Dark(c, r)) << what << ": ink at " << c << "," << r;
            }
        }
    }
}

}  // namespace

TEST_F(PictureExportTest, PictexAndTikzCompileIntoTheWindowsPicture) {
    if (!HaveTeX())
        GTEST_SKIP() << "TeX is missing: scripts/install-deps.sh installs texlive-plain-generic, "
                        "texlive-pictures, texlive-latex-base and poppler-utils";
    TPlot2Win w(nullptr, "rajz.cv2");
    Scene(w);
    // A label whose text would break or command TeX if it went in as it stands, below the
    // x axis where the checks do not look.
    TextLabel label;
    label.text = "idő π \\input{/etc/passwd} 50% $x_1^2$ #&~";
    label.x = -4.5L;
    label.y = -2;
    w.Labels().push_back(label);
    PictexSettings s;
    ASSERT_NE(w.ExportText(ExportKind::kPictex, s, kW, kH).find("\\backslash input\\{/etc/passwd\\}"),
              std::string::npos);
    const auto exportTo = [&](ExportKind kind, int mode, const std::string& name) {
        s.mode = mode;
        WriteText(dir + "/" + name, w.ExportText(kind, s, kW, kH));
    };
    exportTo(ExportKind::kPictex, kPictexPlainStandalone, "pic0.tex");
    ExpectWindowPicture(Compile(dir, "pdftex", std::string(kPlainPage) + "\\input pic0.tex\n\\box1\n\\bye\n"), w.View(),
                        "mode 0");
    exportTo(ExportKind::kPictex, kPictexLatexStandalone, "pic1.tex");
    ExpectWindowPicture(
        Compile(dir, "pdflatex", std::string(kLatexPage) + kPictexOverhang + "\\begin{document}\n\\input{pic1.tex}\n\\box1\n\\end{document}\n"),
        w.View(), "mode 1");
    exportTo(ExportKind::kPictex, kPictexPlainCompilable, "pic2.tex");
    ExpectWindowPicture(Compile(dir, "pdftex", std::string(kPlainPage) + "\\input pic2.tex\n\\bye\n"), w.View(),
                        "mode 2");
    exportTo(ExportKind::kPictex, kPictexInsertable, "pic3.tex");
    ExpectWindowPicture(Compile(dir, "pdftex", std::string(kPlainPage) + "\\input pictex\n\\input pic3.tex\n\\bye\n"),
                        w.View(), "mode 3");
    exportTo(ExportKind::kTikz, 0, "pic.tikz");
    ExpectWindowPicture(Compile(dir, "pdflatex",
                                std::string(kLatexPage) +
                                    "\\usepackage{tikz}\n\\begin{document}\n\\input{pic.tikz}\n\\end{document}\n"),
                        w.View(), "TikZ");
}

TEST_F(PictureExportTest, Command70AsksForFileAndSettingsAndKeepsTheOldFileOnFailure) {
    TPlot2Win w(nullptr, "rajz.cv2");
    Scene(w);
    std::string target = dir + "/abra.tex";
    au::SetFileDialogHook([&](bool save, fw::FileDialogOptions& o) {
        EXPECT_TRUE(save);
        EXPECT_EQ(o.fileName, "névtelen.tex");
        o.fileName = target;
        return true;
    });
    std::vector<std::string> answers = {"300", "2"};  // a box the standalone mode refuses, then a good one
    au::SetDialogHook([&](fw::TDialog& d) {
        d.SetItemText(dlg::kPictexBox, answers.front());
        answers.erase(answers.begin());
        return fw::kIdOk;
    });
    w.RunCommand(exportcmd::kPictex);
    // The refused box kept the dialog open and wrote nothing.
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "túl a határokon");
    struct stat st {};
    EXPECT_NE(::stat(target.c_str(), &st), 0);
    w.RunCommand(exportcmd::kPictex);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], "a PiCTeX állomány elmentve");
    const std::string text = ReadText(target);
    EXPECT_EQ(text.rfind("\\font\\fiverm = cmr5\r\n\\input pictex\r\n\\setbox2=\\vbox{\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("\\plot "), std::string::npos);
    EXPECT_EQ(w.ExportSettings().box, 2);

    // Into a folder that is not there: message 412 and nothing else.
    messages.clear();
    answers = {"1"};
    target = dir + "/nincs/abra.tex";
    w.RunCommand(exportcmd::kPictex);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "nem tudom elmenteni a szerkesztés állományt");
    // A write-protected old file survives unchanged.
    target = dir + "/abra.tex";
    ::chmod(target.c_str(), 0444);
    messages.clear();
    answers = {"5"};
    w.RunCommand(exportcmd::kPictex);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "nem tudom elmenteni a szerkesztés állományt");
    EXPECT_EQ(ReadText(target), text);
    // Cancel in the settings writes nothing.
    ::chmod(target.c_str(), 0644);
    au::SetDialogHook([](fw::TDialog&) { return fw::kIdCancel; });
    messages.clear();
    w.RunCommand(exportcmd::kPictex);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(ReadText(target), text);
}

TEST_F(PictureExportTest, FrameAnimationSavedAsGifAndAsNumberedPngFrames) {
    TPlot2Win w(nullptr, "rajz.cv2");
    Scene(w);
    LetterStore& letters = w.Engine().letters;
    SetLetter(letters, 1, 0.25L);
    const std::string gif = dir + "/anim.gif";
    ASSERT_EQ(w.SaveFrameAnimation(1, 5, gif, 120, 90), 0);
    EXPECT_EQ(letters.LetterValues[1].re, 0.25L) << "the letter is restored";
    int error = 0;
    GifFileType* g = DGifOpenFileName(gif.c_str(), &error);
    ASSERT_NE(g, nullptr);
    ASSERT_EQ(DGifSlurp(g), GIF_OK);
    EXPECT_EQ(g->ImageCount, 5);
    EXPECT_EQ(g->SWidth, 120);
    EXPECT_EQ(g->SHeight, 90);
    // The frames differ: a runs from -10 to 10, so the curve moves.
    const auto& a = g->SavedImages[0];
    const auto& b = g->SavedImages[4];
    int differing = 0;
    for (int i = 0; i < 120 * 90; ++i) differing += a.RasterBits[i] != b.RasterBits[i];
    EXPECT_GT(differing, 50);
    GraphicsControlBlock gcb;
    ASSERT_EQ(DGifSavedExtensionToGCB(g, 0, &gcb), GIF_OK);
    EXPECT_EQ(gcb.DelayTime, 15);  // the default 150 ms between frames
    DGifCloseFile(g, &error);

    const std::string png = dir + "/kepek.png";
    ASSERT_EQ(w.SaveFrameAnimation(1, 3, png, 80, 60), 0);
    for (int j = 0; j < 3; ++j) {
        struct stat st {};
        EXPECT_EQ(::stat(TPlot2Win::FramePngName(png, j).c_str(), &st), 0) << j;
    }
    EXPECT_EQ(TPlot2Win::FramePngName(png, 2), dir + "/kepek_003.png");
    // A folder that is not there: the program's failure, the letter still restored.
    EXPECT_EQ(w.SaveFrameAnimation(1, 3, dir + "/nincs/a.gif", 80, 60), 12);
    EXPECT_EQ(letters.LetterValues[1].re, 0.25L);
}
