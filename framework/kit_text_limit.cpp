#include "framework/kit_text_limit.h"

namespace curvelo {

std::string LimitText(std::string_view text, std::size_t maxChars) {
    std::size_t chars = 0, i = 0;
    for (; i < text.size(); ++i) {
        bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation) {
            if (chars == maxChars) break;
            ++chars;
        }
    }
    return std::string(text.substr(0, i));
}

}  // namespace curvelo
