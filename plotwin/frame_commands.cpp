#include "plotwin/frame_commands.h"

#include <cmath>

#include "plotwin/to_int.h"
#include "plotwin/view_commands.h"

namespace curvelo {
namespace {

constexpr std::size_t kGridFieldMaxChars = 30;

bool Eval(const FieldEvaluator& eval, std::string_view text, long double* v) {
    if (text.size() > kGridFieldMaxChars) text = text.substr(0, kGridFieldMaxChars);
    long double value = 0;
    const bool ok = eval ? eval(text, &value) : ParsePlainNumber(text, &value);
    if (!ok || !std::isfinite(value)) return false;
    *v = value;
    return true;
}

// An integer field that may be written as a formula; it must lie in lo..hi.
int EvalInt(const FieldEvaluator& eval, std::string_view text, int lo, int hi, int* out) {
    long double v = 0;
    if (!Eval(eval, text, &v)) return kMsgNotUnderstood;
    const int i = ToInt(v);
    if (i < lo || i > hi) return lo > 0 ? kMsgPositiveValue : kMsgOutOfLimits;
    *out = i;
    return 0;
}

int ReadCharCode(std::string_view text, int* code) {
    long long v = 0;
    if (text.size() > 10) text = text.substr(0, 10);
    if (!ParsePlainInteger(text, &v)) v = 0;
    if (v < kCharCodeMin || v > kCharCodeMax) return kMsgOutOfLimits;
    *code = static_cast<int>(v);
    return 0;
}

std::int16_t* WidthField(int id, FrameSettings& s) {
    switch (id) {
        case kCmdAxisWidthScreen: return &s.axisWidthScreen;
        case kCmdAxisWidthPrint: return &s.axisWidthPrint;
        case kCmdGridWidthScreen: return &s.gridWidthScreen;
        case kCmdGridWidthPrint: return &s.gridWidthPrint;
        default: return nullptr;
    }
}

}  // namespace

FrameRepaint ToggleFrameSetting(int id, FrameSettings& s) {
    switch (id) {
        case kCmdAxesToggle:
            s.axesShown = !s.axesShown;
            return FrameRepaint::kRepaint;
        case kCmdOpaqueLabels:
            s.labelBackground = s.labelBackground == kLabelsOpaque ? kLabelsTransparent : kLabelsOpaque;
            return s.axesShown ? FrameRepaint::kRepaint : FrameRepaint::kNone;
        case kCmdSolidArrows:
            s.solidArrows = !s.solidArrows;
            return s.axesShown && s.arrows ? FrameRepaint::kRepaint : FrameRepaint::kNone;
        default: return FrameRepaint::kNone;
    }
}

bool FrameCommandChecked(int id, const FrameSettings& s) {
    switch (id) {
        case kCmdAxesToggle: return s.axesShown != 0;
        case kCmdOpaqueLabels: return s.labelBackground == kLabelsOpaque;
        case kCmdSolidArrows: return s.solidArrows != 0;
        case kCmdMinusChar: return s.longMinus != 0;
        default: return false;
    }
}

int WidthPromptString(int id) {
    return id == kCmdAxisWidthPrint || id == kCmdGridWidthPrint ? 15 : 16;
}

std::string WidthText(int id, const FrameSettings& s) {
    switch (id) {
        case kCmdAxisWidthScreen: return std::to_string(s.axisWidthScreen);
        case kCmdAxisWidthPrint: return std::to_string(s.axisWidthPrint);
        case kCmdGridWidthScreen: return std::to_string(s.gridWidthScreen);
        case kCmdGridWidthPrint: return std::to_string(s.gridWidthPrint);
        default: return {};
    }
}

int ApplyWidthText(int id, std::string_view text, FrameSettings& s, FrameRepaint* repaint) {
    *repaint = FrameRepaint::kNone;
    std::int16_t* f = WidthField(id, s);
    if (!f) return kMsgNotUnderstood;
    long long v = 0;
    if (text.size() > kZoomFactorMaxChars) text = text.substr(0, kZoomFactorMaxChars);
    if (!ParsePlainInteger(text, &v) || v <= 0) return kMsgPositiveValue;
    if (v > kMaxFrameWidth) return kMsgOutOfLimits;
    const bool changed = *f != v;
    *f = static_cast<std::int16_t>(v);
    const bool screen = id == kCmdAxisWidthScreen || id == kCmdGridWidthScreen;
    if (screen && changed && s.axesShown) *repaint = FrameRepaint::kRepaint;
    return 0;
}

std::string MinusCharText(const FrameSettings& s) { return std::to_string(s.minusChar); }

FrameRepaint CancelMinusChar(FrameSettings& s) {
    const bool was = s.longMinus != 0;
    s.longMinus = 0;
    return was ? FrameRepaint::kRepaint : FrameRepaint::kNone;
}

int ApplyMinusCharText(std::string_view text, FrameSettings& s, FrameRepaint* repaint) {
    *repaint = FrameRepaint::kNone;
    int code = 0;
    if (int m = ReadCharCode(text, &code)) return m;
    const bool same = s.longMinus && s.minusChar == code;
    s.longMinus = 1;
    s.minusChar = static_cast<std::int16_t>(code);
    if (!same) *repaint = FrameRepaint::kRepaint;
    return 0;
}

std::string PiCharText(const FrameSettings& s) { return std::to_string(s.piChar); }

int ApplyPiCharText(std::string_view text, FrameSettings& s) {
    int code = 0;
    if (int m = ReadCharCode(text, &code)) return m;
    s.piChar = static_cast<std::int16_t>(code);
    return 0;
}

void ApplyAxisTitles(const std::array<std::string, 3>& titles, FrameSettings& s) {
    for (std::size_t i = 0; i < 3; ++i) {
        std::string t = titles[i];
        // Cut on a character boundary so that a UTF-8 letter is never split.
        std::size_t chars = 0, pos = 0;
        while (pos < t.size() && chars < kAxisTitleMax) {
            ++pos;
            while (pos < t.size() && (static_cast<unsigned char>(t[pos]) & 0xC0) == 0x80) ++pos;
            ++chars;
        }
        t.resize(pos);
        s.axisTitles[i] = t;
    }
}

long double TickLengthPercent(int tickLength, int screenWidth) {
    if (screenWidth < 1) screenWidth = 1;
    return tickLength * 100.0L / screenWidth;
}

int TickLengthFromPercent(long double percent, int screenWidth) {
    if (screenWidth < 1) screenWidth = 1;
    return ToInt(percent * screenWidth / 100.0L);
}

GridDialogFields GridDialogFieldsFor(const FrameSettings& s, int screenWidth, const NumberFormat& format) {
    GridDialogFields f;
    f.axesShown = s.axesShown;
    f.axesMode = s.axesMode;
    f.ticks = s.ticks;
    f.arrows = s.arrows;
    f.gridPoints = s.gridPoints;
    f.axisTitles = s.axisTitlesShown;
    f.tickLengthPercent = FormatFixed(TickLengthPercent(s.tickLength, screenWidth), 0, 1);
    f.spacing = {format.Format(s.spacingX), format.Format(s.spacingY)};
    f.decimals = {std::to_string(s.decimalsX), std::to_string(s.decimalsY)};
    f.frequency = {std::to_string(s.frequencyX), std::to_string(s.frequencyY)};
    f.numbers = {(s.numberFlags & kNumbersX) != 0, (s.numberFlags & kNumbersY) != 0};
    f.piMode = {s.piModeX != 0, s.piModeY != 0};
    f.numbersAtEdge = (s.numberFlags & kNumbersAtEdge) != 0;
    f.dotted = s.Dotted();
    f.polar = s.PolarGridOn();
    f.square = s.SquareGridOn();
    f.sectors = std::to_string(s.polarSectors);
    for (int q = 0; q < 4; ++q) f.quadrants[q] = (s.gridFlags & (1u << q)) != 0;
    return f;
}

int ApplyGridDialog(const GridDialogFields& f, const FieldEvaluator& eval, int screenWidth, FrameSettings& s) {
    FrameSettings n = s;
    long double pct = 0;
    if (!Eval(eval, f.tickLengthPercent, &pct)) return kMsgNotUnderstood;
    if (pct < 0) return kMsgPositiveValue;
    const int len = TickLengthFromPercent(pct, screenWidth);
    if (len > kMaxTickLength) return kMsgOutOfLimits;
    n.tickLength = static_cast<std::int16_t>(len);

    long double spacing[2];
    int decimals[2], frequency[2];
    for (int a = 0; a < 2; ++a) {
        if (!Eval(eval, f.spacing[a], &spacing[a])) return kMsgNotUnderstood;
        if (spacing[a] <= kViewEpsilon) return kMsgPositiveValue;
        if (int m = EvalInt(eval, f.decimals[a], 0, kMaxTickDecimals, &decimals[a])) return m;
        if (int m = EvalInt(eval, f.frequency[a], 1, kMaxTickFrequency, &frequency[a])) return m;
    }
    int sectors = s.polarSectors;
    if (f.polar || !f.sectors.empty())
        if (int m = EvalInt(eval, f.sectors, 1, kMaxPolarSectors, &sectors)) return m;

    n.axesShown = f.axesShown;
    n.axesMode = static_cast<std::int16_t>(f.axesMode >= kAxesX && f.axesMode <= kAxesPolar ? f.axesMode : kAxesBoth);
    n.ticks = f.ticks;
    n.arrows = f.arrows;
    n.gridPoints = f.gridPoints;
    n.axisTitlesShown = f.axisTitles;
    n.spacingX = spacing[0];
    n.spacingY = spacing[1];
    n.decimalsX = static_cast<std::int16_t>(decimals[0]);
    n.decimalsY = static_cast<std::int16_t>(decimals[1]);
    n.frequencyX = static_cast<std::int16_t>(frequency[0]);
    n.frequencyY = static_cast<std::int16_t>(frequency[1]);
    n.piModeX = f.piMode[0];
    n.piModeY = f.piMode[1];
    n.numberFlags = static_cast<std::uint16_t>((s.numberFlags & ~(kNumbersX | kNumbersY | kNumbersAtEdge)) |
                                               (f.numbers[0] ? kNumbersX : 0) | (f.numbers[1] ? kNumbersY : 0) |
                                               (f.numbersAtEdge ? kNumbersAtEdge : 0));
    std::uint16_t g = s.gridFlags & ~0x7fu;
    for (int q = 0; q < 4; ++q)
        if (f.quadrants[q]) g |= static_cast<std::uint16_t>(1u << q);
    if (f.square) g |= kGridSquare;
    if (f.polar) g |= kGridPolar;
    if (f.dotted) g |= kGridDotted;
    n.gridFlags = g;
    n.polarSectors = static_cast<std::int16_t>(sectors);
    s = n;
    return 0;
}

}  // namespace curvelo
