#include "framework/kit_status_text.h"

#include "resources/resources.h"

namespace curvelo {

std::string StatusText(int kind, int a, int b) {
    auto s = [](int id) { return std::string(res::String(id)); };
    switch (kind) {
    case 1: case 2: case 3: case 4: case 5:
        return s(600 + kind);
    case 6:
        return s(606) + std::to_string(a) + "; " + s(601);
    case 7:
        return s(607) + std::to_string(a) + "; " + s(608);
    case 8:
        return s(608);
    case 9:
        return s(609);
    case 10:
        return s(610);
    case 12:
        return s(607) + " " + std::to_string(a) + "/" + std::to_string(b);
    default:
        return {};
    }
}

std::string_view BareFileName(std::string_view path) {
    std::size_t cut = path.find_last_of("/\\");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string DocumentTitle(std::string_view path, bool asking, std::string_view suffix,
                          bool modified) {
    std::string name(BareFileName(path));
    if (asking) return std::string(res::String(1)) + " " + name;
    std::string title = name;
    title += suffix;
    if (modified) title += '+';
    return title;
}

}  // namespace curvelo
