#include "expr/letter_params.h"

#include <algorithm>
#include <cmath>

#include "expr/math_functions.h"

namespace curvelo {
namespace {

constexpr long double kMaxSmallSteps = 2147483647.0L;
constexpr long double kMaxAnimSpeed = 1e12L;

bool IsParamLetter(int k) { return k >= 0 && k < kLetterCount; }
long double Low(const LetterStore& s, int k) { return s.LetterLow[k].re; }
long double High(const LetterStore& s, int k) { return s.LetterHigh[k].re; }

}  // namespace

void ParamSettings::Sanitize() {
    if (SmallSteps < 2) SmallSteps = 100;
    if (PageSteps < 1 || PageSteps > SmallSteps) PageSteps = std::max<std::int32_t>(1, SmallSteps / 10);
    if (!std::isfinite(AnimSpeed) || std::fabs(AnimSpeed) < kTiny) AnimSpeed = 1.0L;
    AnimSpeed = std::clamp(std::fabs(AnimSpeed), kTiny, kMaxAnimSpeed);
    FrameDelay = std::clamp<std::int32_t>(FrameDelay, 0, kMaxFrameDelay);
    TimerMode = false;
}

long double BoundsWidth(const LetterStore& store, int k) {
    if (!IsParamLetter(k)) return 1.0L;
    const long double w = High(store, k) - Low(store, k);
    return std::isfinite(w) && w >= kTiny ? w : 1.0L;
}

std::int32_t ScrollPosition(const LetterStore& store, int k, std::int32_t smallSteps) {
    if (!IsParamLetter(k)) return 0;
    const long double v = GetLetter(store, k);
    const long double pos = (v - Low(store, k)) / BoundsWidth(store, k) * smallSteps;
    return std::clamp<std::int32_t>(RoundToInt(pos), 0, smallSteps);
}

long double ValueAtPosition(const LetterStore& store, int k, std::int32_t pos, std::int32_t smallSteps) {
    if (!IsParamLetter(k) || smallSteps < 1) return 0;
    return static_cast<long double>(pos) * (High(store, k) - Low(store, k)) / smallSteps + Low(store, k);
}

void StoreTypedValue(LetterStore& store, int k, long double v) {
    if (!IsParamLetter(k)) return;
    if (k != kLetterAt) {
        if (v < Low(store, k)) store.LetterLow[k] = {v, 0.0L};
        if (v > High(store, k)) store.LetterHigh[k] = {v, 0.0L};
        SetLetter(store, k, v);
    } else {
        store.LetterValues[k].re = v;  // the step in the imaginary part stays
    }
}

bool SetLowerBoundTo(LetterStore& store, int k, long double v) {
    if (!IsParamLetter(k) || k == kLetterAt || !(v + kTiny <= High(store, k))) return false;
    store.LetterLow[k] = {v, 0.0L};
    SetLetter(store, k, v);
    return true;
}

bool SetUpperBoundTo(LetterStore& store, int k, long double v) {
    if (!IsParamLetter(k) || k == kLetterAt || !(Low(store, k) + kTiny <= v)) return false;
    store.LetterHigh[k] = {v, 0.0L};
    SetLetter(store, k, v);
    return true;
}

std::uint16_t ApplyScrollScale(long double small, long double pages, ParamSettings& settings) {
    if (!(small >= 2) || small > kMaxSmallSteps || !(pages >= 1) || small < pages) return 17;
    const std::int32_t s = RoundToInt(small), l = std::max<std::int32_t>(1, RoundToInt(pages));
    settings.SmallSteps = s;
    settings.PageSteps = std::max<std::int32_t>(1, s / l);
    return 0;
}

long double AtStep(const LetterStore& store) {
    const long double step = store.LetterValues[kLetterAt].im;
    return std::isfinite(step) && step != 0 ? step : kAtDefaultStep;
}

void SetAtStep(LetterStore& store, long double step) { store.LetterValues[kLetterAt].im = step; }

std::vector<int> AnimatedLetters(const ParamSettings& settings, int k) {
    std::vector<int> letters{k};
    if (k < 0 || k >= kParamLetterCount || !settings.LinkedLetters[static_cast<std::size_t>(k)]) return letters;
    for (int i = 0; i < kParamLetterCount; ++i)
        if (i != k && settings.LinkedLetters[static_cast<std::size_t>(i)]) letters.push_back(i);
    return letters;
}

LiveAnimation::LiveAnimation(LetterStore& store, ParamSettings& settings, int letter, AnimMode mode, bool timerMode)
    : store_(store), settings_(settings), mode_(mode), timerMode_(timerMode),
      letters_(AnimatedLetters(settings, letter)) {
    const long double small = std::max<std::int32_t>(1, settings.SmallSteps);
    for (int i = 1; i < kLetterCount; ++i) {
        long double step = settings.AnimSpeed * (High(store, i) - Low(store, i)) / small;
        if (!std::isfinite(step) || std::fabs(step) < kTiny) step = 1.0L / small;
        steps_[static_cast<std::size_t>(i)] = step;
    }
    steps_[kLetterAt] = AtStep(store);
    atAtLastTick_ = GetLetter(store, kLetterAt);
}

void LiveAnimation::Advance() {
    for (int k : letters_) {
        long double& step = steps_[static_cast<std::size_t>(k)];
        const long double before = GetLetter(store_, k);
        long double v = before + step;
        if (k != kLetterAt) {
            const long double lo = Low(store_, k), hi = High(store_, k);
            if (v > hi || v < lo) {
                if (mode_ == AnimMode::Wrap) {
                    v = v > hi ? lo : hi;
                } else {
                    v = before;
                    step = -step;
                }
            }
        }
        SetLetter(store_, k, v);
    }
}

void LiveAnimation::Reverse() {
    for (auto& step : steps_) step = -step;
}

void LiveAnimation::Scale(long double factor) {
    if (timerMode_) return;
    settings_.AnimSpeed = std::clamp(settings_.AnimSpeed * factor, kTiny, kMaxAnimSpeed);
    for (auto& step : steps_) step *= factor;
}

void LiveAnimation::Faster() { Scale(1.25L); }
void LiveAnimation::Slower() { Scale(0.8L); }

void LiveAnimation::Tick() {
    const long double now = GetLetter(store_, kLetterAt);
    const long double change = std::fabs(now - atAtLastTick_);
    if (change > kTiny && std::isfinite(change))
        steps_[kLetterAt] = steps_[kLetterAt] * kAtGrowthPerTick / change;
    atAtLastTick_ = now;
}

void LiveAnimation::Finish() { SetAtStep(store_, std::fabs(steps_[kLetterAt])); }

long double FrameValue(const LetterStore& store, int k, int frame, int frames) {
    if (!IsParamLetter(k)) return 0;
    const int gaps = std::max(1, frames - 1);
    long double step = (High(store, k) - Low(store, k)) / gaps;
    if (!std::isfinite(step) || std::fabs(step) < kTiny) step = 1.0L / gaps;
    return Low(store, k) + frame * step;
}

void FramePlayback::Next() {
    if (frames_ <= 1) return;
    int next = current_ + direction_;
    if (next >= frames_ || next < 0) {
        if (mode_ == AnimMode::Wrap) {
            next = direction_ > 0 ? 0 : frames_ - 1;
        } else {
            direction_ = -direction_;
            next = current_ + direction_;
        }
    }
    current_ = next;
}

}  // namespace curvelo
