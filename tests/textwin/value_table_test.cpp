#include "textwin/value_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

using namespace curvelo;

namespace {

std::string Fixed(long double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.5Lf", v);
    return buffer;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

std::size_t Characters(std::string_view text) {
    std::size_t n = 0;
    for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

EvaluatedTable Reciprocal(std::int64_t steps, int width = 10) {
    EvaluatedTable t;
    t.kind = 201;
    t.low = -1;
    t.high = 1;
    t.steps = steps;
    t.width = width;
    t.number = Fixed;
    t.values = [](long double x, std::vector<long double>& v) {
        if (x == 0) return false;
        v[0] = 1 / x;
        return true;
    };
    return t;
}

}  // namespace

TEST(ValueTable, CellsArePaddedOrCutByCharactersAndHeadingsFollowTheKind) {
    EXPECT_EQ(TableCell("ab", 4), "ab  ");
    EXPECT_EQ(TableCell("abcdef", 3), "abc");
    EXPECT_EQ(TableCell("áé", 3), "áé ");  // two characters, four bytes
    EXPECT_EQ(TableCell("ááá", 2), "áá");   // never half a character
    EXPECT_EQ(TableHeading(202, 3), "t  r  x  y  \r\n");
    EXPECT_EQ(TableHeading(212, 2), "n x y \r\n");
    EXPECT_EQ(TableHeading(312, 1), "nxyz\r\n");
    EXPECT_EQ(TableHeading(206, 5), "");
}

TEST(ValueTable, ReciprocalOnSymmetricIntervalHasUndefinedRowAtZero) {
    const std::vector<std::string> lines = Lines(BuildEvaluatedTable(Reciprocal(4)));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "x         y         ");
    EXPECT_EQ(lines[1], "-1.00000  -1.00000  ");
    EXPECT_EQ(lines[2], "-0.50000  -2.00000  ");
    EXPECT_EQ(lines[3], "0.00000   nem defini");
    EXPECT_EQ(lines[4], "0.50000   2.00000   ");
    EXPECT_EQ(lines[5], "1.00000   1.00000   ");
}

TEST(ValueTable, PolarRowsCarryRadiusAndCartesianPointOrRefuseBadInput) {
    EvaluatedTable t;
    t.kind = 202;
    t.low = 0;
    t.high = 1;
    t.steps = 1;
    t.width = 9;
    t.number = Fixed;
    t.values = [](long double, std::vector<long double>& v) {
        v = {2, 3, 4};
        return true;
    };
    EXPECT_EQ(Lines(BuildEvaluatedTable(t))[2], "1.00000  2.00000  3.00000  4.00000  ");
    // An evaluator that gives the wrong number of values counts as undefined.
    t.values = [](long double, std::vector<long double>& v) {
        v.resize(1);
        return true;
    };
    EXPECT_EQ(Lines(BuildEvaluatedTable(t))[1], "0.00000  nem defin");
    t.steps = 0;
    EXPECT_EQ(BuildEvaluatedTable(t), "nem betáblázott erre a példára");
    t.steps = 1;
    t.kind = 204;
    EXPECT_EQ(BuildEvaluatedTable(t), "nem betáblázott erre a példára");
}

TEST(ValueTable, HugeStepCountIsCutToTheRowLimitAndStaysUnderTheBuffer) {
    const int width = 12;
    const std::size_t heading = TableHeading(201, width).size();
    const std::int64_t rows = (1000000 - static_cast<std::int64_t>(heading)) / (2 * width + 2);
    EXPECT_EQ(LastTableRow(heading, 1, width, 1000000), rows - 2);
    EXPECT_EQ(LastTableRow(heading, 1, width, 100), 100);

    const std::string text = BuildEvaluatedTable(Reciprocal(5000000, width));
    EXPECT_LE(Characters(text), kTableTextLimit);
    const std::vector<std::string> lines = Lines(text);
    EXPECT_EQ(static_cast<std::int64_t>(lines.size()), 1 + rows - 1);
    EXPECT_EQ(lines[1].substr(0, 8), "-1.00000");
}

TEST(ValueTable, StopRequestKeepsTheRowsAlreadyBuilt) {
    EvaluatedTable t = Reciprocal(10000);
    int polls = 0;
    t.stopRequested = [&] { return ++polls == 2; };
    const std::size_t lines = Lines(BuildEvaluatedTable(t)).size();
    EXPECT_EQ(lines, 1u + 512u);
}

TEST(ValueTable, LongTextIsPagedAtLineBreaksWithPageNumbersInTheCaption) {
    const std::string text = BuildEvaluatedTable(Reciprocal(3000));
    ASSERT_GT(text.size(), 2 * kTablePageLength);
    const std::vector<std::size_t> starts = TablePageStarts(text);
    ASSERT_EQ(starts.size(), (text.size() + kTablePageLength - 1) / kTablePageLength + 0u);
    std::string joined;
    for (int p = 0; p < static_cast<int>(starts.size()); ++p) {
        const std::string_view page = TablePage(text, starts, p);
        EXPECT_LE(page.size(), kTablePageLength + 1);
        EXPECT_EQ(page.substr(page.size() - 2), "\r\n");
        joined += page;
    }
    EXPECT_EQ(joined, text);
    EXPECT_TRUE(TablePage(text, starts, static_cast<int>(starts.size())).empty());

    EXPECT_EQ(TableCaption("y = 1/x", "", 1, 3), "értéktábázat : y = 1/x] [ 2/3]");
    EXPECT_EQ(TableCaption("y' = y", "Runge-Kutta", 0, 1), "értéktábázat : y' = y; Runge-Kutta]");
}

TEST(ValueTable, PagingStopsAfterFiftyExtraPagesAndCutsUnbrokenText) {
    // A full table fills 34 pages; a longer text keeps the rest on its last page.
    EXPECT_EQ(TablePageStarts(BuildEvaluatedTable(Reciprocal(1000000))).size(), 34u);
    std::string text;
    for (int i = 0; i < 200000; ++i) text += "row " + std::to_string(i) + "\r\n";
    const std::vector<std::size_t> starts = TablePageStarts(text);
    EXPECT_EQ(starts.size(), static_cast<std::size_t>(kMaxExtraPages) + 1);
    EXPECT_GT(TablePage(text, starts, kMaxExtraPages).size(), kTablePageLength);

    const std::string noBreaks(kTablePageLength + 10, 'a');
    const std::vector<std::size_t> cut = TablePageStarts(noBreaks);
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[1], kTablePageLength);
    EXPECT_EQ(TablePageStarts("short").size(), 1u);
}

TEST(ValueTable, CopiedCellsAreCutAtColumnBoundariesEvenFromMidLine) {
    const std::u32string shown = U"x   y   \r\n-1  nem \r\n2   3   \r\n";
    EXPECT_EQ(TabSeparatedCells(shown, 0, shown.size(), 4), "x\ty\n-1\tnem\n2\t3\n");
    // A selection from inside the second cell of the second line: columns stay aligned.
    EXPECT_EQ(TabSeparatedCells(shown, 15, shown.size(), 4), "em\n2\t3\n");
    EXPECT_EQ(TabSeparatedCells(shown, 11, 15, 4), "1\tn");
    EXPECT_EQ(TabSeparatedCells(shown, 40, 50, 4), "");
}

TEST(ValueTable, SolutionRowsFollowTheirHeadingOrSayThereIsNoTable) {
    const std::string text = BuildSolutionTable(212, 9, Fixed, {{0, 1, 2}, {1, 0.5, 0.25}});
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "n        x        y        ");
    EXPECT_EQ(lines[2], "1.00000  0.50000  0.25000  ");
    // A solution kind without a stored solution, and a kind with no table at all.
    EXPECT_EQ(BuildSolutionTable(211, 9, Fixed, {}), "nem betáblázott erre a példára");
    EXPECT_EQ(BuildSolutionTable(205, 9, Fixed, {{1, 2}}), "nem betáblázott erre a példára");
    // Rows beyond the size limit are left out, whole.
    const std::vector<std::vector<long double>> many(40000, {1, 2});
    const std::string big = BuildSolutionTable(211, 14, Fixed, many);
    EXPECT_LE(big.size(), kTableTextLimit);
    EXPECT_EQ(big.substr(big.size() - 2), "\r\n");
}
