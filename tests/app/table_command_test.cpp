#include "app/table_command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/batch_document.h"
#include "plot2d/example_table.h"
#include "app/help_text.h"
#include "framework/automation.h"
#include "framework/dialog.h"
#include "plot2d/cv2_codec.h"
#include "plot2d/example_kinds.h"
#include "plot2d/plot2_win.h"
#include "plot3d/plot3_win.h"
#include "framework/application.h"

using namespace curvelo;

namespace {

struct Outcome {
    int rc;
    std::string out, err;
};

Outcome Table(std::vector<std::string> args) {
    args.insert(args.begin(), "curvelo");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::ostringstream out, err;
    const int rc = RunTable(static_cast<int>(args.size()), argv.data(), out, err);
    return {rc, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// 1/x on [-1, 1] in 4 steps, a polar circle of radius 2, x^2 asking for 60000 rows, an
// implicit curve.
std::string MakeDocument() {
    Cv2Document doc;
    Cv2Example reciprocal, circle, square, implicit;
    reciprocal.example.kind = kKindExplicit;
    reciprocal.example.texts[1] = "1/x";
    reciprocal.example.low = -1;
    reciprocal.example.high = 1;
    reciprocal.example.tableSteps = 4;
    circle.example.kind = kKindPolar;
    circle.example.texts[2] = "2";
    circle.example.low = 0;
    circle.example.high = 3.14159265358979323846L;
    circle.example.tableSteps = 2;
    square.example.kind = kKindExplicit;
    square.example.texts[1] = "x^2";
    square.example.tableSteps = 60000;
    implicit.example.kind = kKindImplicit;
    implicit.example.texts[0] = "x^2+y^2-1";
    doc.examples = {reciprocal, circle, square, implicit};
    const std::string path = ::testing::TempDir() + "/table_src.cv2";
    EXPECT_EQ(SaveCv2File(path, doc), 0);
    return path;
}

}  // namespace

TEST(TableCommand, PrintsEvaluatedRowsWithUndefinedCellAndPutsTheLetterBack) {
    const std::string doc = MakeDocument();
    Outcome o = Table({"--table", doc, "--example", "1"});
    ASSERT_EQ(o.rc, 0) << o.err;
    std::vector<std::string> lines = Lines(o.out);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "x             y             ");
    EXPECT_EQ(lines[1], "-1.00000      -1.00000      ");
    EXPECT_EQ(lines[3], "0.00000       nem definiált ");
    EXPECT_EQ(lines[4], "0.50000       2.00000       ");

    o = Table({"--table", doc, "--example", "1+1"});
    ASSERT_EQ(o.rc, 0) << o.err;
    lines = Lines(o.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "t             r             x             y             ");
    EXPECT_EQ(lines[2].substr(0, 28), "1.57080       2.00000       ");
    EXPECT_EQ(lines[2].substr(42), "2.00000       ");
    EXPECT_EQ(lines[3].substr(28, 9), "-2.00000 ");

    // The letter the rows ran in keeps the value it had.
    BatchDocument batch;
    ASSERT_EQ(LoadBatchDocument(doc, batch), 0);
    SetLetter(batch.engine.letters, kLetterX, 7);
    EXPECT_NE(ExampleTableText(batch.engine, batch.inventory.Slot(0)).find("nem definiált"), std::string::npos);
    EXPECT_EQ(batch.engine.letters.LetterValues[kLetterX].re, 7);
}

TEST(TableCommand, OverlongStepCountIsCutAndEveryPageIsPrinted) {
    const Outcome o = Table({"--table", MakeDocument(), "--example", "3"});
    ASSERT_EQ(o.rc, 0) << o.err;
    const std::size_t rowLength = 2 * 14 + 2;
    const std::size_t rows = (1000000 - rowLength) / rowLength;
    EXPECT_EQ(Lines(o.out).size(), 1 + rows - 1);
    EXPECT_LE(o.out.size(), 1000000u);
}

TEST(TableCommand, RefusalsAndUsageErrors) {
    const std::string doc = MakeDocument();
    Outcome o = Table({"--table", doc, "--example", "4"});
    EXPECT_EQ(o.rc, 1);
    EXPECT_TRUE(o.out.empty());
    EXPECT_NE(o.err.find("nem betáblázott erre a példára"), std::string::npos) << o.err;
    o = Table({"--table", ::testing::TempDir() + "/missing.cv2"});
    EXPECT_EQ(o.rc, 1);
    EXPECT_NE(o.err.find("error 411"), std::string::npos) << o.err;
    EXPECT_EQ(Table({"--table", doc, "--example", "5"}).rc, 2);
    EXPECT_EQ(Table({"--table", doc, "--integral", "0", "1", "2"}).rc, 2);
    EXPECT_EQ(Table({"--table"}).rc, 2);
}

TEST(TableCommand, DocumentSavedByTheWindowAndTheHelpListsTheCommand) {
    fw::automation::EnsureApplication();
    const std::string path = ::testing::TempDir() + "/table_window.cv2";
    {
        TPlot2Win w(nullptr, "table_window.cv2");
        ASSERT_TRUE(w.Create());
        fw::automation::SetDialogHook([](fw::TDialog&) { return 1; });
        w.AddExample(kKindExplicit);  // x sin(x)
        fw::automation::SetDialogHook({});
        ASSERT_EQ(w.WriteDocument(path), 0);
    }
    const Outcome o = Table({"--table", path});
    ASSERT_EQ(o.rc, 0) << o.err;
    EXPECT_EQ(Lines(o.out).size(), 1u + 51u);  // a new example lists 50 steps
    std::ostringstream help;
    WriteHelp(help);
    EXPECT_NE(help.str().find("curvelo --table DOKUMENTUM [--example N]"), std::string::npos);
}

TEST(TableCommand, ThreeDDocumentGivesTheSurfaceGridAndRefusesAKindWithoutTable) {
    fw::automation::EnsureApplication();
    const std::string path = ::testing::TempDir() + "/table_space.cv3";
    {
        TPlot3Win w(nullptr, "table_space.cv3");
        ASSERT_TRUE(w.Create());
        fw::automation::SetDialogHook([](fw::TDialog&) { return 1; });
        w.AddExample(301);  // sin(r)/r on a 36 x 36 mesh
        w.AddExample(303);
        fw::automation::SetDialogHook({});
        ASSERT_EQ(w.WriteDocument(path), 0);
    }
    Outcome o = Table({"--table", path, "--example", "1"});
    fw::SetBatchMode(false);
    ASSERT_EQ(o.rc, 0) << o.err;
    const std::vector<std::string> lines = Lines(o.out);
    ASSERT_EQ(lines.size(), 1u + 37u);
    EXPECT_EQ(lines[0].rfind("x \\ y ", 0), 0u) << lines[0];
    o = Table({"--table", path, "--example", "2"});
    fw::SetBatchMode(false);
    EXPECT_EQ(o.rc, 1);
    EXPECT_NE(o.err.find("nem betáblázott"), std::string::npos) << o.err;
    EXPECT_EQ(Table({"--table", path, "--example", "3"}).rc, 2);
    fw::SetBatchMode(false);
}
