// Which window a document opens in, decided by its file name's extension.
#pragma once

#include <string_view>

namespace curvelo {

enum class DocumentKind { None, Plot2, Plot3, MapReal, MapComplex };

// The extension after the last "." must be exactly three characters; letter case is ignored.
DocumentKind DocumentKindOf(std::string_view fileName);

}  // namespace curvelo
