// The text of a table of values: padded columns under one-letter headings, one row per
// parameter value or stored solution point, kept under a fixed size and cut into pages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace curvelo {

inline constexpr std::size_t kTableTextLimit = 1000000;
inline constexpr std::size_t kTablePageLength = 30000;
inline constexpr int kMaxExtraPages = 50;
inline constexpr int kMaxColumnWidth = 255;

// A cell: text padded with blanks or cut to `width` characters (UTF-8 aware).
std::string TableCell(std::string_view text, int width);

// The heading line of a kind ending in CR LF; empty for a kind that has no table.
std::string TableHeading(std::uint16_t kind, int width);

// Kinds tabulated by evaluating their formulas at evenly spaced parameter values.
bool IsEvaluatedTableKind(std::uint16_t kind);
// Value columns after the parameter: 1 for y = f(x), 3 for polar (r, x, y), 2 for parametric,
// 3 for a space curve or segment.
int ValueColumns(std::uint16_t kind);

// The last row number 0 ... N that keeps the text under kTableTextLimit.
std::int64_t LastTableRow(std::size_t headingLength, int valueColumns, int width, std::int64_t steps);

// Fills `values` (ValueColumns(kind) of them) at one parameter value; false: undefined.
using TableRowValues = std::function<bool(long double parameter, std::vector<long double>& values)>;
using TableNumberText = std::function<std::string(long double)>;

struct EvaluatedTable {
    std::uint16_t kind = 0;
    long double low = 0, high = 0;
    std::int64_t steps = 1;
    int width = 14;
    TableNumberText number;
    TableRowValues values;
    std::function<bool()> stopRequested;  // polled now and then; the rows so far are kept
};

// Heading and rows 0 ... LastTableRow; an undefined row holds "nem definiált" after its
// parameter. An unknown kind or a non-positive step count gives the "no table" text.
std::string BuildEvaluatedTable(const EvaluatedTable& table);

// Heading and the rows of a stored solution (differential equations, sequences), each row
// its values in order; rows beyond the size limit are left out.
std::string BuildSolutionTable(std::uint16_t kind, int width, const TableNumberText& number,
                               const std::vector<std::vector<long double>>& rows);

// Offsets where the pages start: the first is 0, at most kMaxExtraPages more. A page ends
// after the last line break at or before kTablePageLength characters into it.
std::vector<std::size_t> TablePageStarts(std::string_view text);
// Page `index` of the text cut at `starts`.
std::string_view TablePage(std::string_view text, const std::vector<std::size_t>& starts, int index);

// "értéktábázat : " label, the method for solutions, "]", and the page of pages when there
// is more than one. page counts from 0.
std::string TableCaption(std::string_view label, std::string_view method, int page, int pages);

// The part [start, end) of a shown table (positions in characters of `shown`) as cells
// separated by tabs and lines by line feeds, for a spreadsheet: the padded columns are cut
// at multiples of `width` from each line's start and their trailing blanks dropped.
std::string TabSeparatedCells(std::u32string_view shown, std::size_t start, std::size_t end, int width);

}  // namespace curvelo
