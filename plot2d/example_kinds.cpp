#include "plot2d/example_kinds.h"

#include <cstdlib>
#include <string>

namespace curvelo {

const std::array<ExampleKindInfo, 16>& ExampleKinds2D() {
    using R = DefaultRange;
    static const std::array<ExampleKindInfo, 16> kinds = {{
        {201, 901, 0, "EQUA201", 240, {"", "xsin(x)", "", "", ""}, R::View},
        {202, 902, 0, "EQUA202", 241, {"", "", "3cos(2t)", "", ""}, R::ZeroToTwoPi},
        {203, 903, 0, "EQUA203", 242, {"3cos(3t)", "3sin(4t)", "", "", ""}, R::ZeroToTwoPi},
        {204, 904, 0, "EQUA204", 243, {"", "", "", "", "xx+yy=13"}, R::ZeroToOne},
        {205, 905, 916, "EQUA205", 244, {"-1.5", "3.0", "3.5", "1.0", ""}, R::ZeroToOne},
        {206, 0, 0, "EQUA206", 245, {"", "", "", "", ""}, R::None},
        {207, 789, 0, "EQUA207", 246, {"", "0", "", "", ""}, R::None},
        {208, 908, 0, "EQUA208", 247, {"2.54", "1.732", "3.141", "", ""}, R::ZeroToOne},
        {209, 909, 914, "EQUA309", 248, {"1", "1", "", "", ""}, R::None},
        {210, 910, 0, "EQUA210", 249, {"xx-yy", "2xy", "", "", ""}, R::ZeroToOne},
        {211, 911, 0, "EQUA211", 250, {"", "", "x-y", "", ""}, R::ZeroToOne},
        {212, 912, 0, "EQUA212", 251, {"1+abs(x)-y", "x", "", "", ""}, R::ZeroToOne},
        {213, 913, 0, "EQUA213", 240, {"-2 1  0 -1  2 1", "", "", "", ""}, R::View},
        {215, 507, 0, "EQUA215", 254, {"", "xsin(x)", "", "-3 -1 1 3", ""}, R::None},
        {218, 508, 0, "EQUA218", 257, {"", "", "", "0 0  1 1  2 4", ""}, R::None},
        {219, 0, 0, "EQUA219", 0, {"", "", "", "", ""}, R::None},
    }};
    return kinds;
}

const ExampleKindInfo* FindExampleKind(std::uint16_t kind) {
    for (const auto& k : ExampleKinds2D())
        if (k.kind == kind) return &k;
    return nullptr;
}

const ExampleKindInfo* FindExampleKindByCommand(int command) {
    if (command == 0) return nullptr;
    for (const auto& k : ExampleKinds2D())
        if (k.command == command || k.secondCommand == command) return &k;
    return nullptr;
}

void DefaultRangeOf(std::uint16_t kind, long double viewLow, long double viewHigh,
                    long double& start, long double& end) {
    const ExampleKindInfo* info = FindExampleKind(kind);
    switch (info ? info->range : DefaultRange::None) {
    case DefaultRange::View: start = viewLow; end = viewHigh; return;
    case DefaultRange::ZeroToTwoPi: start = 0.0L; end = kTwoPi; return;
    case DefaultRange::ZeroToOne: start = 0.0L; end = 1.0L; return;
    case DefaultRange::None: break;
    }
    // Kinds without a stated range keep the record's own initial range.
    start = -5.0L;
    end = 5.0L;
}

ExampleWorkBuffers WorkBuffersOf(std::uint16_t kind) {
    ExampleWorkBuffers b;
    switch (kind) {
    case 301: case 302: case 303: case 306: case 307: case 315: case 316:
        b.rows495 = 30; b.cols495 = 3000;
        b.rows499 = 8; b.cols499 = 3000;
        b.bytes503 = 30000;
        b.bytes507 = 3000;
        break;
    case kKindPointOnCurve: b.bytes503 = 1280; break;
    case kKindInterpolation: b.rows495 = 30; b.cols495 = 9; b.bytes503 = 90; break;
    case kKindOrbital:
        b.rows495 = 30; b.cols495 = 120;
        b.rows499 = 8; b.cols499 = 24;
        b.bytes503 = 2880;
        break;
    default: break;
    }
    return b;
}

std::uint16_t PointOnCurveShape(const TExample& e) {
    if (e.kindCount == kKindPolar || e.kindCount == kKindParametric) return e.kindCount;
    return kKindExplicit;
}

int ParsePointOnCurveNumbers(std::string_view text, long double out[kMaxPointOnCurveNumbers]) {
    int count = 0;
    std::size_t i = 0;
    auto isDigit = [&](std::size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '9'; };
    while (i < text.size() && count < kMaxPointOnCurveNumbers) {
        std::size_t start = i;
        bool minus = text[i] == '-';
        std::size_t j = minus ? i + 1 : i;
        bool point = false, digits = false;
        while (j < text.size() && (isDigit(j) || (text[j] == '.' && !point))) {
            if (text[j] == '.') point = true;
            else digits = true;
            ++j;
        }
        if (!digits) {
            i = start + 1;
            continue;
        }
        std::string number(text.substr(start, j - start));
        out[count++] = std::strtold(number.c_str(), nullptr);
        i = j;
    }
    return count;
}

}  // namespace curvelo
