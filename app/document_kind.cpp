#include "app/document_kind.h"

#include <string>

namespace curvelo {

DocumentKind DocumentKindOf(std::string_view fileName) {
    std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || fileName.size() - dot - 1 != 3) return DocumentKind::None;
    std::string ext(fileName.substr(dot + 1));
    for (char& c : ext)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (ext == "CV2") return DocumentKind::Plot2;
    if (ext == "CV3") return DocumentKind::Plot3;
    if (ext == "MA2") return DocumentKind::MapReal;
    if (ext == "MAZ") return DocumentKind::MapComplex;
    return DocumentKind::None;
}

}  // namespace curvelo
