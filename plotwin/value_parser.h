// How the base plot layers read numbers typed into dialogs; layers with a formula engine pass
// their own evaluator instead.
#pragma once

#include <functional>
#include <string_view>

namespace curvelo {

// Evaluates a field's text; false when it is not a number.
using FieldEvaluator = std::function<bool(std::string_view text, long double* value)>;

// A plain decimal number with optional surrounding blanks, nothing else.
bool ParsePlainNumber(std::string_view text, long double* value);
// An integer with optional surrounding blanks (and an optional sign).
bool ParsePlainInteger(std::string_view text, long long* value);

// Message numbers (shown as 400 + n) of the dialogs' checks; 0 is success.
inline constexpr int kMsgNotUnderstood = 1;   // "nem értem"
inline constexpr int kMsgPositiveValue = 14;  // "pozitív érték?"
inline constexpr int kMsgOutOfLimits = 17;    // "túl a határokon"
inline constexpr int kMsgBitmapOwned = 22;    // "a kép az ablak bezárásával elveszik"
inline constexpr int kMsgCannotSave = 12;     // "nem tudom elmenteni ..." (the old file is kept)

}  // namespace curvelo
