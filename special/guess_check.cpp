#include "special/guess_check.h"

#include <algorithm>
#include <cmath>

#include "expr/eval.h"

namespace curvelo {

GuessComparison CompareGuess(LetterStore& letters, ExprNode* answer, ExprNode* guess, long double xLeft,
                             long double width, RandomInts& random) {
    GuessComparison c;
    for (int i = 0; i < kGuessPoints; ++i) {
        const long double x = xLeft + random.Uniform(0, 1) * width;
        long double a = 0, g = 0;
        if (!EvalAt(letters, answer, kLetterX, x, a) || !std::isfinite(a)) continue;
        if (!EvalAt(letters, guess, kLetterX, x, g) || !std::isfinite(g)) {
            ++c.guessUndefined;
            continue;
        }
        ++c.comparedPoints;
        c.largestDifference = std::max(c.largestDifference, std::fabs(a - g));
    }
    return c;
}

}  // namespace curvelo
