// A 2D window printed into a PDF file, read back with poppler's tools as a reader of the
// page would see it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <unistd.h>

#include "framework/automation.h"
#include "plot2d/plot2_win.h"

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

bool HaveTool(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Output(const std::string& command) {
    std::string out;
    if (std::FILE* p = ::popen(command.c_str(), "r")) {
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

struct PdfWord {
    std::string text;
    double top = 0, height = 0;  // points
};

std::vector<PdfWord> WordsOf(const std::string& pdf) {
    const std::string html = Output("pdftotext -bbox '" + pdf + "' - 2>/dev/null");
    static const std::regex word(
        R"re(<word xMin="[-0-9.]+" yMin="([-0-9.]+)" xMax="[-0-9.]+" yMax="([-0-9.]+)">([^<]*)</word>)re");
    std::vector<PdfWord> words;
    for (std::sregex_iterator i(html.begin(), html.end(), word), end; i != end; ++i)
        words.push_back({(*i)[3].str(), std::stod((*i)[1].str()), std::stod((*i)[2].str()) - std::stod((*i)[1].str())});
    return words;
}

// A grey page raster (PGM) of the first page.
struct Raster {
    int w = 0, h = 0;
    std::vector<unsigned char> px;
    bool Dark(int x, int y) const { return px[static_cast<std::size_t>(y) * w + x] < 128; }
};

Raster RasterOf(const std::string& pdf, const std::string& prefix, int dpi) {
    Raster r;
    const std::string cmd = "pdftoppm -gray -aa no -aaVector no -r " + std::to_string(dpi) +
                            " -f 1 -l 1 -singlefile '" + pdf + "' '" + prefix + "' 2>/dev/null";
    if (std::system(cmd.c_str()) != 0) return r;
    std::ifstream in(prefix + ".pgm", std::ios::binary);
    std::string magic;
    int maxval = 0;
    in >> magic >> r.w >> r.h >> maxval;
    in.get();
    if (magic != "P5" || r.w <= 0 || r.h <= 0 || maxval != 255) return Raster{};
    r.px.resize(static_cast<std::size_t>(r.w) * r.h);
    in.read(reinterpret_cast<char*>(r.px.data()), static_cast<std::streamsize>(r.px.size()));
    std::filesystem::remove(prefix + ".pgm");
    return r;
}

// The row with the most ink: the x axis.
int InkiestRow(const Raster& r) {
    int best = 0, most = -1;
    for (int y = 0; y < r.h; ++y) {
        int ink = 0;
        for (int x = 0; x < r.w; ++x) ink += r.Dark(x, y);
        if (ink > most) most = ink, best = y;
    }
    return best;
}

// The most ink-to-paper changes along any one column: a dotted vertical line has many, a
// solid one or a text hardly any.
int MostChangesInAColumn(const Raster& r) {
    int most = 0;
    for (int x = 0; x < r.w; ++x) {
        int changes = 0;
        for (int y = 1; y < r.h; ++y) changes += r.Dark(x, y) != r.Dark(x, y - 1);
        most = std::max(most, changes);
    }
    return most;
}

TEST(PrintedPictureTest, LabelsKeepTheirScreenSizeOnPaperAndADottedGridStaysDotted) {
    if (!HaveTool("pdftotext") || !HaveTool("pdftoppm"))
        GTEST_SKIP() << "poppler-utils (pdftotext, pdftoppm) is not installed: scripts/install-deps.sh installs it";
    au::EnsureApplication();
    TPlot2Win w(nullptr, "nyomtatott.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    FrameSettings& f = w.Frame();
    f.axisTitlesShown = 1;
    f.gridFlags |= kGridSquare | kGridDotted;
    f.gridColour = 0;  // black: the dots stand out on the raster
    const std::string path = ::testing::TempDir() + "/nyomtatott_" + std::to_string(::getpid()) + ".pdf";
    ASSERT_TRUE(w.PrintToPdf(path, 1200));

    constexpr int kRasterDpi = 200;
    const Raster page = RasterOf(path, ::testing::TempDir() + "/nyomtatott_" + std::to_string(::getpid()), kRasterDpi);
    ASSERT_GT(page.w, 0) << "pdftoppm did not give a page";
    EXPECT_GT(MostChangesInAColumn(page), 60);
    const double axisY = InkiestRow(page) * 72.0 / kRasterDpi;

    // Tick numbers (9 points on screen) and the axis titles (10.5 points) keep about that
    // height on paper rather than shrinking with the printer's finer pixels, and the numbers
    // of the x axis keep the room of half a tick below it.
    int numbers = 0, titles = 0, belowAxis = 0;
    for (const PdfWord& word : WordsOf(path)) {
        if (std::regex_match(word.text, std::regex(R"(-?[0-9]+\.[0-9])"))) {
            ++numbers;
            if (std::fabs(word.top + word.height / 2 - axisY) < 20) {
                ++belowAxis;
                EXPECT_GT(word.top, axisY + 2) << word.text;
            }
            EXPECT_GT(word.height, 6) << word.text;
            EXPECT_LT(word.height, 16) << word.text;
        } else if (word.text == "x" || word.text == "y") {
            ++titles;
            EXPECT_GT(word.height, 7) << word.text;
            EXPECT_LT(word.height, 18) << word.text;
        }
    }
    EXPECT_GE(numbers, 6);
    EXPECT_GE(belowAxis, 4);
    EXPECT_EQ(titles, 2);
    std::filesystem::remove(path);
}

}  // namespace
