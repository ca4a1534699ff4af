#include "app/about_text.h"

#include "app/build_info.h"
#include "resources/resources.h"

namespace curvelo {
namespace {

// String 300 names another system and 311 promises a help menu in the drawing windows, which
// have none here; the box shows what holds for this build instead.
std::string PlatformLine(const BuildInfo& build) { return "Curvelo " + build.version + ", Linux változat"; }
constexpr std::string_view kDrawingWindowKeys = "a rajzablakok gyorsbillentyűi a menüpontok mellett olvashatók.";

std::string_view InfoLine(int id) { return id == 311 ? kDrawingWindowKeys : res::String(id); }

}  // namespace

std::string AboutText() { return AboutText(ThisBuild()); }

std::string AboutText(const BuildInfo& build) {
    const std::string nl = "\r\n";
    std::string text = PlatformLine(build) + nl;
    if (!build.date.empty()) text += "a kompilálás dátuma: " + build.date + nl;
    text += nl;
    for (int id = 301; id <= 308; ++id) {
        text += std::string(res::String(id)) + nl;
        if (id == 303 || id == 307) text += nl;
    }
    text += nl;
    for (int id = 310; id < 400; ++id) {
        std::string_view line = InfoLine(id);
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
