#pragma once
// The engine's variable store: the 27 letter values (0 = "@", 1..26 = A..Z), their backup
// and animation bounds, the five auxiliary values (letter numbers 27..31), and the
// evaluator's mode and flags. One store per window engine.

#include <cstdint>

#include "expr/math_functions.h"
#include "expr/tree.h"

namespace curvelo {

inline constexpr int kLetterCount = 27;
inline constexpr int kAuxCount = 5;
inline constexpr int kLetterAt = 0;
inline constexpr int kLetterE = 5;
inline constexpr int kLetterI = 9;
inline constexpr int kLetterR = 18;
inline constexpr int kLetterT = 20;
inline constexpr int kLetterU = 21;
inline constexpr int kLetterX = 24;
inline constexpr int kLetterY = 25;
inline constexpr int kLetterZ = 26;
inline constexpr int kFirstAuxLetter = 27;  // AUX1 .. AUX5 are letter numbers 27..31
inline constexpr long double kInitialLetterLow = -10.0L;
inline constexpr long double kInitialLetterHigh = 10.0L;
// Loop steps between two questions to a store's cancel check (expr/eval_cancel.h).
inline constexpr std::int32_t kCancelCheckSteps = 4096;

class EvalCancelCheck;  // expr/eval_cancel.h

struct LetterStore {
    ExtComplex LetterValues[kLetterCount];
    ExtComplex LetterBackup[kLetterCount];
    ExtComplex LetterLow[kLetterCount];
    ExtComplex LetterHigh[kLetterCount];
    ExtComplex AuxValues[kAuxCount];
    std::uint8_t ComplexMode = 0;  // 0 = real mode, 1 = complex mode (Z is the variable)
    std::uint8_t JumpFlag = 0;     // set by evaluation near a discontinuity
    long double JumpTolerance = kDefaultJumpTolerance;
    long double BisectTolerance = kDefaultBisectTolerance;
    // Loop steps (SUM, PROD, ITER, BINOM) evaluation may still take; negative: no limit.
    // Evaluation done on the program's own behalf (simplification) sets one, so that a
    // formula with a huge loop cannot freeze its compilation.
    std::int64_t LoopBudget = -1;
    // Asked every kCancelCheckSteps loop steps whether a long evaluation is to stop (null:
    // never); Cancelled records a yes until the caller clears it. See expr/eval_cancel.h.
    EvalCancelCheck* CancelCheck = nullptr;
    std::int32_t StepsToCheck = kCancelCheckSteps;
    std::uint8_t Cancelled = 0;

    // A new window's store: real mode, letters 0 except E = e, bounds -10 and +10.
    LetterStore();
    // Values, backup, bounds and auxiliary values back to a new window's state in the
    // current mode (in complex mode I = i). The mode itself is kept.
    void ResetValues();
    // Switches the mode; switching on also sets I = i as a new complex window has it.
    void SetComplexMode(bool on);
    bool IsComplex() const { return ComplexMode != 0; }
};

// Letter number k: 0..26 letters, 27..31 auxiliary values; other numbers are ignored
// (GetLetter gives 0). In complex mode X and Y stand for the parts of Z.
void SetLetter(LetterStore& store, int k, long double v);
void AddToLetter(LetterStore& store, int k, long double d);
long double GetLetter(const LetterStore& store, int k);
void SaveLetters(LetterStore& store);
void RestoreLetters(LetterStore& store);

}  // namespace curvelo
