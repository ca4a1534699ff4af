// The texts that long computations and documents put into a window's title bar.
#pragma once

#include <string>
#include <string_view>

namespace curvelo {

// Status text of one kind (1 to 10 and 12) with its numbers; empty for an unknown kind.
std::string StatusText(int kind, int a, int b);

// The file name without its folders.
std::string_view BareFileName(std::string_view path);

// A document's title: its bare file name, the optional suffix and "+" while it has unsaved
// changes; when asking about saving, the save question with the bare file name instead.
std::string DocumentTitle(std::string_view path, bool asking, std::string_view suffix,
                          bool modified);

}  // namespace curvelo
