#include "expr/letters.h"

#include <cmath>

namespace curvelo {

LetterStore::LetterStore() { ResetValues(); }

void LetterStore::ResetValues() {
    for (int k = 0; k < kLetterCount; ++k) {
        LetterValues[k] = {};
        LetterBackup[k] = {};
        LetterLow[k] = {kInitialLetterLow, 0.0L};
        LetterHigh[k] = {kInitialLetterHigh, 0.0L};
    }
    for (auto& v : AuxValues) v = {};
    LetterValues[kLetterE] = {std::exp(1.0L), 0.0L};
    if (ComplexMode) LetterValues[kLetterI] = {0.0L, 1.0L};
    JumpFlag = 0;
}

void LetterStore::SetComplexMode(bool on) {
    ComplexMode = on ? 1 : 0;
    if (on) LetterValues[kLetterI] = {0.0L, 1.0L};
}

void SetLetter(LetterStore& store, int k, long double v) {
    if (k >= 0 && k < kLetterCount) {
        store.LetterValues[k] = {v, 0.0L};
        if (store.ComplexMode) {
            if (k == kLetterX) store.LetterValues[kLetterZ] = {v, 0.0L};
            if (k == kLetterY) store.LetterValues[kLetterZ] = {0.0L, v};
        }
    } else if (k >= kFirstAuxLetter && k < kFirstAuxLetter + kAuxCount) {
        store.AuxValues[k - kFirstAuxLetter] = {v, 0.0L};
    }
}

void AddToLetter(LetterStore& store, int k, long double d) {
    if (k >= 0 && k < kLetterCount) {
        store.LetterValues[k].re += d;
        if (store.ComplexMode) {
            if (k == kLetterX) store.LetterValues[kLetterZ].re += d;
            if (k == kLetterY) store.LetterValues[kLetterZ].im += d;
        }
    } else if (k >= kFirstAuxLetter && k < kFirstAuxLetter + kAuxCount) {
        store.AuxValues[k - kFirstAuxLetter].re += d;
    }
}

long double GetLetter(const LetterStore& store, int k) {
    if (k >= 0 && k < kLetterCount) {
        if (store.ComplexMode) {
            if (k == kLetterX) return store.LetterValues[kLetterZ].re;
            if (k == kLetterY) return store.LetterValues[kLetterZ].im;
        }
        return store.LetterValues[k].re;
    }
    if (k >= kFirstAuxLetter && k < kFirstAuxLetter + kAuxCount) return store.AuxValues[k - kFirstAuxLetter].re;
    return 0.0L;
}

void SaveLetters(LetterStore& store) {
    for (int k = 0; k < kLetterCount; ++k) store.LetterBackup[k] = store.LetterValues[k];
}

void RestoreLetters(LetterStore& store) {
    for (int k = 0; k < kLetterCount; ++k) store.LetterValues[k] = store.LetterBackup[k];
}

}  // namespace curvelo
