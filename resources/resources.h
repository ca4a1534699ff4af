// The program's resources, compiled into the executable: the numbered string table, help
// texts, menus, accelerators and dialog templates. Texts are UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace curvelo::res {

// String-table entry n, or the empty view when there is none.
std::string_view String(int id);
bool HasString(int id);

// A named resource file's contents, e.g. File("help/PROGHELP.txt"); empty when missing.
std::string_view File(std::string_view path);
bool HasFile(std::string_view path);

// Paths of every embedded file under a folder ("menus/", "dialogs/", ...).
std::vector<std::string_view> FilesUnder(std::string_view folder);

}  // namespace curvelo::res
