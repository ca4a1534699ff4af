// Whether a guess is the answer's function: both are evaluated at 25 random points of the
// visible x range and compared where they are defined.
#pragma once

#include "expr/letters.h"
#include "expr/tree.h"
#include "special/random_ints.h"

namespace curvelo {

inline constexpr int kGuessPoints = 25;
inline constexpr long double kGuessTolerance = 0.001L;

struct GuessComparison {
    long double largestDifference = 0;
    int comparedPoints = 0;   // where both were defined
    int guessUndefined = 0;   // where only the answer was defined
    // Right when it differs by less than the tolerance wherever the answer is defined, and
    // was compared at one point at least (a guess defined nowhere is not right).
    bool Right() const { return comparedPoints > 0 && guessUndefined == 0 && largestDifference < kGuessTolerance; }
};

GuessComparison CompareGuess(LetterStore& letters, ExprNode* answer, ExprNode* guess, long double xLeft,
                             long double width, RandomInts& random);

}  // namespace curvelo
