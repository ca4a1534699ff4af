#include "expr/letters.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace curvelo;

TEST(LetterStore, NewStoreHasEAndBounds) {
    LetterStore s;
    EXPECT_EQ(s.ComplexMode, 0);
    EXPECT_EQ(s.LetterValues[kLetterE].re, std::exp(1.0L));
    EXPECT_EQ(s.LetterValues[kLetterI].im, 0.0L);
    EXPECT_EQ(s.LetterValues[kLetterX].re, 0.0L);
    EXPECT_EQ(s.LetterLow[3].re, -10.0L);
    EXPECT_EQ(s.LetterHigh[26].re, 10.0L);
    EXPECT_EQ(s.JumpTolerance, 0.001L);
    EXPECT_EQ(s.BisectTolerance, 0.01L);
    s.SetComplexMode(true);
    EXPECT_EQ(s.LetterValues[kLetterI].im, 1.0L);
    s.LetterValues[kLetterI] = {};
    s.ResetValues();
    EXPECT_EQ(s.LetterValues[kLetterI].im, 1.0L);
}

TEST(LetterStore, RealModeSetAddGetAndAux) {
    LetterStore s;
    SetLetter(s, kLetterX, 2.5L);
    AddToLetter(s, kLetterX, 0.5L);
    EXPECT_EQ(GetLetter(s, kLetterX), 3.0L);
    EXPECT_EQ(s.LetterValues[kLetterZ].re, 0.0L);  // Z untouched in real mode
    SetLetter(s, 29, 7.0L);
    EXPECT_EQ(s.AuxValues[2].re, 7.0L);
    AddToLetter(s, 29, 1.0L);
    EXPECT_EQ(GetLetter(s, 29), 8.0L);
    // Out-of-range letter numbers are ignored.
    SetLetter(s, 32, 1.0L);
    SetLetter(s, -1, 1.0L);
    AddToLetter(s, 99, 1.0L);
    EXPECT_EQ(GetLetter(s, 32), 0.0L);
}

TEST(LetterStore, ComplexModeXAndYAreTheParts) {
    LetterStore s;
    s.SetComplexMode(true);
    SetLetter(s, kLetterX, 2.0L);
    EXPECT_EQ(s.LetterValues[kLetterZ].re, 2.0L);
    EXPECT_EQ(s.LetterValues[kLetterZ].im, 0.0L);
    SetLetter(s, kLetterY, 3.0L);
    EXPECT_EQ(s.LetterValues[kLetterZ].re, 0.0L);
    EXPECT_EQ(s.LetterValues[kLetterZ].im, 3.0L);
    AddToLetter(s, kLetterX, 1.5L);
    AddToLetter(s, kLetterY, -1.0L);
    EXPECT_EQ(GetLetter(s, kLetterX), 1.5L);
    EXPECT_EQ(GetLetter(s, kLetterY), 2.0L);
}

TEST(LetterStore, SaveAndRestoreAllLetters) {
    LetterStore s;
    for (int k = 0; k < kLetterCount; ++k) SetLetter(s, k, k * 1.5L);
    SaveLetters(s);
    for (int k = 0; k < kLetterCount; ++k) SetLetter(s, k, -1.0L);
    RestoreLetters(s);
    for (int k = 0; k < kLetterCount; ++k) EXPECT_EQ(s.LetterValues[k].re, k * 1.5L);
}
