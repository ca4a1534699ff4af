// Case-insensitive search in a text window's buffer, with the "at start" rule: right after
// the caret was put at the start the next search also tests position 0, otherwise it begins
// one past the current selection so that "next" never finds the same match again.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace curvelo {

// Lower-case partner of a character (ASCII, Latin-1 and Latin Extended-A letters).
char32_t FoldCase(char32_t c);

// First p >= from where needle matches text ignoring case; nothing when none does or the
// needle is empty.
std::optional<std::size_t> FindIgnoringCase(std::u32string_view text, std::u32string_view needle,
                                            std::size_t from);

class TextSearch {
public:
    const std::u32string& Needle() const { return needle_; }
    void SetNeedle(std::u32string needle) { needle_ = std::move(needle); }
    bool HasNeedle() const { return !needle_.empty(); }

    bool AtStart() const { return atStart_; }
    void MarkAtStart() { atStart_ = true; }

    // Searches text from the selection start; clears the at-start flag, and sets it again
    // when nothing is found (the caller then puts the caret at 0).
    std::optional<std::size_t> Next(std::u32string_view text, std::size_t selectionStart);

private:
    std::u32string needle_;
    bool atStart_ = true;
};

// First visible line that makes matchEndLine the fourth visible line; nothing when the
// text has fewer than four lines (then the view is left as it is).
std::optional<int> FirstLineShowingMatch(int matchEndLine, int lineCount);

}  // namespace curvelo
