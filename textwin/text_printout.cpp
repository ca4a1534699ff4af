#include "textwin/text_printout.h"

#include "framework/dc.h"
#include "textwin/text_codec.h"

#include <algorithm>

namespace curvelo {

TTextPrintout::TTextPrintout(const std::string& title, const std::string& text,
                             const fw::LogFont& font, fw::Color colour, double marginInches)
    : fw::TPrintout(title), text_(text), font_(font), colour_(colour), margin_(marginInches) {}

void TTextPrintout::BeginPrinting(fw::DC& dc) {
    const fw::Size s = dc.DeviceSize();
    Layout(dc, {0, 0, s.cx, s.cy});
}

bool TTextPrintout::HasPage(int page) const {
    // Before the layout the first page is always there (an empty text prints a blank page).
    return page >= 1 && (page == 1 || page <= PageCount());
}

void TTextPrintout::Layout(fw::DC& dc, const fw::Rect& pageRect) {
    dc.SelectFont(font_);  // the printer keeps its size on paper
    lineHeight_ = std::max(1, dc.GetTextMetrics().height);
    const int mx = static_cast<int>(margin_ * dc.DpiX());
    const int my = static_cast<int>(margin_ * dc.DpiY());
    const int width = std::max(1, pageRect.Width() - 2 * mx);
    const int linesPerPage = std::max(1, (pageRect.Height() - 2 * my) / lineHeight_);

    const int quarterChar = std::max(1, dc.GetTextMetrics().averageCharWidth / 4);
    const std::size_t maxPerLine = static_cast<std::size_t>(width / quarterChar) + 1;
    lines_.clear();
    std::size_t start = 0;
    while (start <= text_.size()) {
        std::size_t end = text_.find('\n', start);
        if (end == std::string::npos) end = text_.size();
        std::string line = text_.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // Wrap: the longest prefix (in characters) that fits, at least one character.
        std::u32string chars = DecodeText(line);
        do {
            // No line holds more characters than fit at a quarter of the average width, which
            // keeps every measured piece short.
            std::size_t lo = 1, hi = std::min(chars.size(), maxPerLine);
            if (dc.GetTextExtent(EncodeUtf8(std::u32string_view(chars).substr(0, hi))).cx <= width) lo = hi;
            while (lo < hi) {
                std::size_t mid = (lo + hi + 1) / 2;
                if (dc.GetTextExtent(EncodeUtf8(std::u32string_view(chars).substr(0, mid))).cx <= width)
                    lo = mid;
                else
                    hi = mid - 1;
            }
            const std::size_t take = std::min(lo, chars.size());
            lines_.push_back(EncodeUtf8(std::u32string_view(chars).substr(0, take)));
            chars.erase(0, take);
        } while (!chars.empty());
        if (end == text_.size()) break;
        start = end + 1;
    }
    pageStarts_.clear();
    for (int i = 0; i < static_cast<int>(lines_.size()); i += linesPerPage) pageStarts_.push_back(i);
    if (pageStarts_.empty()) pageStarts_.push_back(0);
    laidOut_ = true;
}

void TTextPrintout::PrintPage(int page, fw::DC& dc, const fw::Rect& pageRect) {
    if (!laidOut_) Layout(dc, pageRect);
    if (page < 1 || page > PageCount()) return;
    dc.SelectFont(font_);  // the printer keeps its size on paper
    dc.SetTextColor(colour_);
    dc.SetBkMode(fw::BkMode::Transparent);
    dc.SetTextAlign(fw::kAlignLeft | fw::kAlignTop);
    const int mx = static_cast<int>(margin_ * dc.DpiX());
    const int my = static_cast<int>(margin_ * dc.DpiY());
    const int first = pageStarts_[page - 1];
    const int last = page < PageCount() ? pageStarts_[page] : static_cast<int>(lines_.size());
    for (int i = first; i < last; ++i)
        dc.TextOut(pageRect.left + mx, pageRect.top + my + (i - first) * lineHeight_, lines_[i]);
}

}  // namespace curvelo
