#include "app/about_text.h"

#include "resources/resources.h"

namespace curvelo {

std::string AboutText() {
    const std::string nl = "\r\n";
    std::string text = std::string(res::String(300)) + nl;
    text += "a kompilálás dátuma: 2005. január 31" + nl;
    text += nl;
    for (int id = 301; id <= 308; ++id) {
        text += std::string(res::String(id)) + nl;
        if (id == 303 || id == 307) text += nl;
    }
    text += nl;
    for (int id = 310; id < 400; ++id) {
        std::string_view line = res::String(id);
        if (line.empty()) break;
        text += std::string(line) + nl;
    }
    text += nl;
    text += res::String(309);
    return text;
}

std::string_view HelpTextShown(std::string_view resource) {
    std::size_t cut = resource.find("???");
    return cut == std::string_view::npos ? resource : resource.substr(0, cut);
}

}  // namespace curvelo
