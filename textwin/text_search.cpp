#include "textwin/text_search.h"

#include <algorithm>

namespace curvelo {

char32_t FoldCase(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c < 0xC0) return c;
    if (c <= 0xDE) return c == 0xD7 ? c : c + 32;
    if (c < 0x100 || c > 0x17F) return c;
    // Latin Extended-A pairs upper/lower letters on neighbouring codes; the parity of the
    // capital changes at the two breaks of the block.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return (c % 2 == 0 && c != 0x130) ? c + 1 : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return c % 2 == 1 ? c + 1 : c;
    if (c == 0x178) return 0xFF;
    return c;
}

std::optional<std::size_t> FindIgnoringCase(std::u32string_view text, std::u32string_view needle,
                                            std::size_t from) {
    if (needle.empty() || needle.size() > text.size()) return std::nullopt;
    for (std::size_t p = from; p + needle.size() <= text.size(); ++p) {
        std::size_t k = 0;
        while (k < needle.size() && FoldCase(text[p + k]) == FoldCase(needle[k])) ++k;
        if (k == needle.size()) return p;
    }
    return std::nullopt;
}

std::optional<std::size_t> TextSearch::Next(std::u32string_view text, std::size_t selectionStart) {
    std::size_t from = atStart_ ? selectionStart : selectionStart + 1;
    atStart_ = false;
    auto hit = FindIgnoringCase(text, needle_, from);
    if (!hit) atStart_ = true;
    return hit;
}

std::optional<int> FirstLineShowingMatch(int matchEndLine, int lineCount) {
    if (lineCount < 4) return std::nullopt;
    return std::max(0, matchEndLine - 3);
}

}  // namespace curvelo
