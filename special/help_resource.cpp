#include "special/help_resource.h"

#include "resources/resources.h"

namespace curvelo {

std::string SpecialHelpText(std::string_view name) {
    const std::string_view text = res::File("help/" + std::string(name) + ".txt");
    return std::string(text.substr(0, text.find("???")));
}

}  // namespace curvelo
