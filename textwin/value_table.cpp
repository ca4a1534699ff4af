#include "textwin/value_table.h"

#include <algorithm>

#include "resources/resources.h"
#include "textwin/text_codec.h"

namespace curvelo {
namespace {

constexpr int kUndefinedText = 85, kCaptionText = 136, kNoTableText = 137, kPageWord = 342;
constexpr int kPollEvery = 256;

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

int ClampWidth(int width) { return std::clamp(width, 1, kMaxColumnWidth); }

// The one-letter titles of each kind's columns.
std::string_view Titles(std::uint16_t kind) {
    switch (kind) {
    case 201: case 211: return "xy";
    case 202: return "trxy";
    case 203: case 210: return "txy";
    case 212: return "nxy";
    case 304: case 308: case 310: return "txyz";
    case 312: return "nxyz";
    default: return {};
    }
}

bool Stopped(const std::function<bool()>& stop, std::int64_t row) {
    return stop && row % kPollEvery == 0 && row > 0 && stop();
}

}  // namespace

std::string TableCell(std::string_view text, int width) {
    width = ClampWidth(width);
    std::string cell;
    int chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsContinuation(text[i]) && ++chars > width) break;
        cell += text[i];
    }
    cell.append(static_cast<std::size_t>(width - std::min(chars, width)), ' ');
    return cell;
}

std::string TableHeading(std::uint16_t kind, int width) {
    const std::string_view titles = Titles(kind);
    if (titles.empty()) return {};
    std::string line;
    for (char c : titles) line += TableCell(std::string_view(&c, 1), width);
    return line + "\r\n";
}

bool IsEvaluatedTableKind(std::uint16_t kind) { return kind >= 201 && kind <= 203; }

int ValueColumns(std::uint16_t kind) {
    switch (kind) {
    case 201: return 1;
    case 202: return 3;
    case 203: return 2;
    case 304: case 308: return 3;  // a space curve's x, y, z
    default: return 0;
    }
}

std::int64_t LastTableRow(std::size_t headingLength, int valueColumns, int width, std::int64_t steps) {
    const std::int64_t room = static_cast<std::int64_t>(kTableTextLimit - std::min(headingLength, kTableTextLimit));
    const std::int64_t rowLength = (valueColumns + 1) * static_cast<std::int64_t>(ClampWidth(width)) + 2;
    const std::int64_t rows = room / rowLength;
    return rows < steps ? std::max<std::int64_t>(rows - 2, 0) : steps;
}

std::string BuildEvaluatedTable(const EvaluatedTable& table) {
    const int columns = ValueColumns(table.kind);
    if (columns == 0 || table.steps < 1 || !table.number || !table.values)
        return std::string(res::String(kNoTableText));
    const int width = ClampWidth(table.width);
    std::string text = TableHeading(table.kind, width);
    const std::int64_t last = LastTableRow(text.size(), columns, width, table.steps);
    const long double h = (table.high - table.low) / static_cast<long double>(table.steps);
    const std::string undefined = TableCell(res::String(kUndefinedText), width);
    std::vector<long double> values;
    for (std::int64_t i = 0; i <= last && !Stopped(table.stopRequested, i); ++i) {
        const long double parameter = table.low + static_cast<long double>(i) * h;
        values.assign(static_cast<std::size_t>(columns), 0.0L);
        std::string row = TableCell(table.number(parameter), width);
        if (table.values(parameter, values) && values.size() == static_cast<std::size_t>(columns))
            for (long double v : values) row += TableCell(table.number(v), width);
        else
            row += undefined;
        row += "\r\n";
        // Accented words take more bytes than characters; never pass the limit anyway.
        if (text.size() + row.size() > kTableTextLimit) break;
        text += row;
    }
    return text;
}

std::string BuildSolutionTable(std::uint16_t kind, int width, const TableNumberText& number,
                               const std::vector<std::vector<long double>>& rows) {
    std::string text = TableHeading(kind, width);
    if (text.empty() || rows.empty() || !number) return std::string(res::String(kNoTableText));
    for (const std::vector<long double>& values : rows) {
        std::string row;
        for (long double v : values) row += TableCell(number(v), width);
        row += "\r\n";
        if (text.size() + row.size() > kTableTextLimit) break;
        text += row;
    }
    return text;
}

std::vector<std::size_t> TablePageStarts(std::string_view text) {
    std::vector<std::size_t> starts{0};
    while (starts.size() <= static_cast<std::size_t>(kMaxExtraPages) &&
           text.size() - starts.back() > kTablePageLength) {
        const std::size_t start = starts.back();
        const std::size_t lineBreak = text.rfind('\n', start + kTablePageLength);
        std::size_t next = lineBreak != std::string_view::npos && lineBreak >= start
                               ? lineBreak + 1
                               : start + kTablePageLength;
        // A page without any line break is cut between whole characters.
        while (next > start + 1 && IsContinuation(text[next])) --next;
        starts.push_back(next);
    }
    return starts;
}

std::string_view TablePage(std::string_view text, const std::vector<std::size_t>& starts, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= starts.size()) return {};
    const std::size_t begin = starts[static_cast<std::size_t>(index)];
    const std::size_t end = static_cast<std::size_t>(index) + 1 < starts.size()
                                ? starts[static_cast<std::size_t>(index) + 1]
                                : text.size();
    return text.substr(begin, end - begin);
}

std::string TableCaption(std::string_view label, std::string_view method, int page, int pages) {
    std::string caption(res::String(kCaptionText));
    caption += label;
    if (!method.empty()) caption.append("; ").append(method);
    caption += "]";
    if (pages > 1)
        caption.append(" [")
            .append(res::String(kPageWord))
            .append(" ")
            .append(std::to_string(page + 1))
            .append("/")
            .append(std::to_string(pages))
            .append("]");
    return caption;
}

std::string TabSeparatedCells(std::u32string_view shown, std::size_t start, std::size_t end, int width) {
    const std::size_t w = static_cast<std::size_t>(ClampWidth(width));
    end = std::min(end, shown.size());
    start = std::min(start, end);
    const std::size_t lineStart = start == 0 ? 0 : shown.find_last_of(U'\n', start - 1) + 1;  // npos + 1 == 0
    std::u32string out, cell;
    std::size_t column = start - lineStart;
    auto endCell = [&] {
        while (!cell.empty() && cell.back() == U' ') cell.pop_back();
        out += cell;
        cell.clear();
    };
    for (std::size_t i = start; i < end; ++i) {
        const char32_t c = shown[i];
        if (c == U'\r') continue;
        if (c == U'\n') {
            endCell();
            out += U'\n';
            column = 0;
            continue;
        }
        if (column > 0 && column % w == 0 && i > start) {
            endCell();
            out += U'\t';
        }
        cell += c;
        ++column;
    }
    endCell();
    return EncodeUtf8(out);
}

}  // namespace curvelo
