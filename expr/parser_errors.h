#pragma once
// Error codes of the formula compiler; the user sees string-table message 400 + code.

#include <cstdint>

namespace curvelo {

inline constexpr std::uint16_t kErrNotUnderstood = 1;   // 401
inline constexpr std::uint16_t kErrInconsistent = 6;    // 406: syntax check
inline constexpr std::uint16_t kErrCannotContinue = 9;  // 409: empty text
inline constexpr std::uint16_t kErrOutOfBounds = 17;    // 417
inline constexpr std::uint16_t kErrMissingData = 24;    // 424
inline constexpr std::uint16_t kErrTooManyArgs = 101;   // 501
inline constexpr std::uint16_t kErrBrackets = 108;      // 508

}  // namespace curvelo
