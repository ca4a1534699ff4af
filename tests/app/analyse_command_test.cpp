#include "app/analyse_command.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/help_text.h"
#include "framework/automation.h"
#include "framework/dialog.h"
#include "plot2d/cv2_codec.h"
#include "plot2d/example_kinds.h"
#include "plot2d/plot2_win.h"

using namespace curvelo;

namespace {

struct Outcome {
    int rc;
    std::string out, err;
    std::vector<double> numbers() const {
        std::vector<double> v;
        std::istringstream in(out);
        for (double x; in >> x;) v.push_back(x);
        return v;
    }
};

Outcome Analyse(std::vector<std::string> args) {
    args.insert(args.begin(), "curvelo");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::ostringstream out, err;
    const int rc = RunAnalyse(static_cast<int>(args.size()), argv.data(), out, err);
    return {rc, out.str(), err.str()};
}

// x^2, the unit circle and a point.
std::string MakeDocument() {
    Cv2Document doc;
    Cv2Example square, circle, point;
    square.example.kind = kKindExplicit;
    square.example.texts[1] = "x^2";
    circle.example.kind = kKindParametric;
    circle.example.texts = {"cos(t)", "sin(t)", "", "", "", "", ""};
    point.example.kind = kKindPoint;
    doc.examples = {square, circle, point};
    doc.plotWords[9] = 2;
    const std::string path = ::testing::TempDir() + "/analyse_src.cv2";
    EXPECT_EQ(SaveCv2File(path, doc), 0);
    return path;
}

}  // namespace

TEST(AnalyseCommand, IntegralPrintsTheSixSumsInTheWindowFormat) {
    const std::string doc = MakeDocument();
    const Outcome o = Analyse({"--analyse", doc, "--example", "1", "--integral", "0", "1", "1"});
    ASSERT_EQ(o.rc, 0) << o.err;
    const std::vector<double> v = o.numbers();
    ASSERT_EQ(v.size(), 6u);
    EXPECT_EQ(o.out.substr(0, 16), "0.00000\n0.25000\n");  // "%7.5Lf", one a line
    EXPECT_DOUBLE_EQ(v[2], 1.0);
    EXPECT_DOUBLE_EQ(v[3], 0.5);
    EXPECT_DOUBLE_EQ(v[4], 0.33333);
    EXPECT_GE(v[5], 0.0);
    EXPECT_LE(v[5], 1.0);
}

TEST(AnalyseCommand, ArcLengthAndLimitsWrittenAsFormulas) {
    const std::string doc = MakeDocument();
    const Outcome o = Analyse({"--analyse", doc, "--example", "2", "--arclength", "0", "2pi", "3*4"});
    ASSERT_EQ(o.rc, 0) << o.err;
    for (double v : o.numbers()) EXPECT_NEAR(v, 6.28319, 1e-9);
}

TEST(AnalyseCommand, RefusalsSayWhyAndUseTheExitCodes) {
    const std::string doc = MakeDocument();
    // A point has neither an integral nor a length: "válassz!".
    Outcome o = Analyse({"--analyse", doc, "--example", "3", "--integral", "0", "1", "4"});
    EXPECT_EQ(o.rc, 1);
    EXPECT_NE(o.err.find("error 415"), std::string::npos) << o.err;
    // A step count below 1 is refused, and so is one beyond the limit.
    o = Analyse({"--analyse", doc, "--integral", "0", "1", "0.4"});
    EXPECT_EQ(o.rc, 1);
    EXPECT_NE(o.err.find("error 414"), std::string::npos) << o.err;
    o = Analyse({"--analyse", doc, "--integral", "0", "1", "10^12"});
    EXPECT_NE(o.err.find("error 417"), std::string::npos) << o.err;
    o = Analyse({"--analyse", doc, "--integral", "0", "(", "4"});
    EXPECT_EQ(o.rc, 1);
    EXPECT_TRUE(o.out.empty());
    o = Analyse({"--analyse", ::testing::TempDir() + "/missing.cv2", "--integral", "0", "1", "4"});
    EXPECT_NE(o.err.find("error 411"), std::string::npos) << o.err;
    // Usage errors: no measure, both measures, an example outside the list, a value missing.
    EXPECT_EQ(Analyse({"--analyse", doc}).rc, 2);
    EXPECT_EQ(Analyse({"--analyse", doc, "--integral", "0", "1", "2", "--arclength", "0", "1", "2"}).rc, 2);
    EXPECT_EQ(Analyse({"--analyse", doc, "--example", "4", "--integral", "0", "1", "2"}).rc, 2);
    EXPECT_EQ(Analyse({"--analyse", doc, "--integral", "0", "1"}).rc, 2);
}

TEST(AnalyseCommand, DocumentSavedByTheWindowAndTheHelpListsTheOptions) {
    fw::automation::EnsureApplication();
    const std::string path = ::testing::TempDir() + "/analyse_window.cv2";
    {
        TPlot2Win w(nullptr, "analyse_window.cv2");
        ASSERT_TRUE(w.Create());
        fw::automation::SetDialogHook([](fw::TDialog&) { return 1; });
        w.AddExample(kKindExplicit);  // x sin(x)
        fw::automation::SetDialogHook({});
        ASSERT_EQ(w.WriteDocument(path), 0);
    }
    const Outcome o = Analyse({"--analyse", path, "--integral", "0", "pi", "64"});
    ASSERT_EQ(o.rc, 0) << o.err;
    EXPECT_NEAR(o.numbers()[4], 3.14159, 2e-5);

    std::ostringstream help;
    WriteHelp(help);
    for (const char* option : {"--analyse DOKUMENTUM", "--example N", "--integral A B N", "--arclength A B N"})
        EXPECT_NE(help.str().find(option), std::string::npos) << option;
    const CommandOption* integral = FindCommandOption("--integral");
    ASSERT_NE(integral, nullptr);
    EXPECT_EQ(ValueCount(*integral), 3);
}

namespace {

// sin x, x^2, tan x, 0, the circle of radius 2 and the line y = 1, saved by the window.
std::string ScanDocument() {
    fw::automation::EnsureApplication();
    const std::string path = ::testing::TempDir() + "/analyse_scan.cv2";
    TPlot2Win w(nullptr, "analyse_scan.cv2");
    EXPECT_TRUE(w.Create());
    const std::vector<std::pair<std::uint16_t, std::array<const char*, 3>>> examples = {
        {kKindExplicit, {"", "sin(x)", ""}}, {kKindExplicit, {"", "x^2", ""}}, {kKindExplicit, {"", "tan(x)", ""}},
        {kKindExplicit, {"", "0", ""}},      {kKindParametric, {"2cos(t)", "2sin(t)", ""}}, {kKindLine, {"0", "1", "1"}}};
    ExampleInventory& inventory = w.Inventory();
    for (const auto& [kind, texts] : examples) {
        long double lo = 0, hi = 0;
        DefaultRangeOf(kind, w.View().xmin, w.View().xmax, lo, hi);
        const int i = inventory.Begin(kind, lo, hi);
        for (int k = 0; k < 3; ++k) inventory.At(i).texts[static_cast<std::size_t>(k)] = texts[static_cast<std::size_t>(k)];
        inventory.Commit(i, w.Engine());
    }
    EXPECT_EQ(w.WriteDocument(path), 0);
    return path;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

TEST(AnalyseCommand, ZerosOfOneRoundInScanOrder) {
    const std::string doc = ScanDocument();
    Outcome o = Analyse({"--analyse", doc, "--example", "1", "--zeros"});
    ASSERT_EQ(o.rc, 0) << o.err;
    EXPECT_EQ(Lines(o.out), (std::vector<std::string>{"x = -3.14159", "x = 0.00000", "x = 3.14159"}));
    o = Analyse({"--analyse", doc, "--example", "2", "--zeros"});
    EXPECT_EQ(o.out, "x = 0.00000\n");  // the double zero, once
    o = Analyse({"--analyse", doc, "--example", "3", "--zeros"});
    EXPECT_EQ(Lines(o.out).size(), 3u);  // tan: no poles
    o = Analyse({"--analyse", doc, "--example", "4", "--zeros"});
    EXPECT_EQ(o.rc, 1);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "túl sok\n");
    o = Analyse({"--analyse", doc, "--example", "5", "--zeros"});
    EXPECT_EQ(o.rc, 1);
    EXPECT_EQ(o.err, "error 415: válassz!\n");
}

TEST(AnalyseCommand, ExtremaAndIntersections) {
    const std::string doc = ScanDocument();
    Outcome o = Analyse({"--analyse", doc, "--example", "5", "--extrema", "y"});
    ASSERT_EQ(o.rc, 0) << o.err;
    EXPECT_EQ(Lines(o.out), (std::vector<std::string>{"x = 0.00000   y = 2.00000   t = 1.57080   r = 2.00000",
                                                      "x = 0.00000   y = -2.00000   t = 4.71239   r = 2.00000"}));
    o = Analyse({"--analyse", doc, "--example", "5", "--extrema", "r"});  // a circle: r is constant
    EXPECT_EQ(o.rc, 1);
    EXPECT_EQ(o.err, "túl sok\n");
    o = Analyse({"--analyse", doc, "--example", "2", "--extrema", "x"});
    EXPECT_EQ(o.rc, 1);

    o = Analyse({"--analyse", doc, "--example", "6", "--intersections", "5"});
    ASSERT_EQ(o.rc, 0) << o.err;
    EXPECT_EQ(Lines(o.out), (std::vector<std::string>{"x = 1.73205   y = 1.00000   szög = 60.00000°",
                                                      "x = -1.73205   y = 1.00000   szög = 60.00000°"}));
    o = Analyse({"--analyse", doc, "--example", "2", "--intersections", "4"});  // x^2 and 0 touch
    EXPECT_EQ(o.out, "x = 0.00000   y = 0.00000   szög = 0.00000°\n");
    o = Analyse({"--analyse", doc, "--example", "1", "--intersections", "2", "--zeros"});
    EXPECT_EQ(o.rc, 2);
    for (const char* bad : {"z", ""}) EXPECT_EQ(Analyse({"--analyse", doc, "--extrema", bad}).rc, 2) << bad;
    EXPECT_EQ(Analyse({"--analyse", doc, "--intersections", "99"}).rc, 2);
    EXPECT_EQ(Analyse({"--analyse", ::testing::TempDir() + "/missing.cv2", "--zeros"}).rc, 1);

    std::ostringstream help;
    WriteHelp(help);
    for (const char* option : {"--zeros", "--extrema MENNYISÉG", "--intersections M"})
        EXPECT_NE(help.str().find(option), std::string::npos) << option;
}
