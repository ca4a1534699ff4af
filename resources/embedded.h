#pragma once
#include <cstddef>

namespace curvelo::res {

struct EmbeddedFile {
    const char* path;           // relative to resources/, e.g. "help/PROGHELP.txt"
    const unsigned char* data;  // zero-terminated for convenience
    std::size_t size;           // without the terminator
};

// Every embedded data file; the list ends with a null path.
const EmbeddedFile* EmbeddedFiles();

}  // namespace curvelo::res
