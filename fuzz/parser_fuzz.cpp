// libFuzzer target: arbitrary bytes as a formula text.
#include "fuzz/parser_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  curvelo::fuzz::RunParserFuzzInput(data, size);
  return 0;
}
