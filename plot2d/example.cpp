#include "plot2d/example.h"

#include "expr/byte_io.h"
#include "plot2d/example_kinds.h"
#include "plot2d/interpolation.h"
#include "resources/resources.h"

#include <cstdio>
#include <cstdlib>
#include <type_traits>

namespace curvelo {
namespace {

// Every stored field with its offset, in one list used for reading and for writing, so the
// two can never disagree. Arrays are stored as consecutive items.
template <class Ex, class F>
void VisitFields(Ex& e, F&& f) {
    using T = TExample;
    f(T::kOffKind, e.kind);
    f(T::kOffSubTag, e.subTag);
    f(T::kOffReserved4, e.reserved4);
    f(T::kOffReserved8, e.reserved8);
    f(T::kOffDensity, e.density);
    f(T::kOffFieldRows, e.fieldRows);
    f(T::kOffReserved16, e.reserved16);
    f(T::kOffFieldSegment, e.fieldSegment);
    f(T::kOffColourCopy, e.colourCopy);
    f(T::kOffReserved22, e.reserved22);
    f(T::kOffConfirmMark, e.confirmMark);
    f(T::kOffReserved26, e.reserved26);
    f(T::kOffFamilyDelay, e.familyDelay);
    f(T::kOffArrowSize, e.arrowSize);
    f(T::kOffReserved32, e.reserved32);
    f(T::kOffKindCount, e.kindCount);
    f(T::kOffReserved36, e.reserved36);
    f(T::kOffFamilyParam, e.familyParam);
    f(T::kOffFamilySteps, e.familySteps);
    f(T::kOffReserved44, e.tableSteps);
    f(T::kOffFamilyActive, e.familyActive);
    f(T::kOffIntervalFixed, e.intervalFixed);
    f(T::kOffVisible, e.visible);
    f(T::kOffFlag49, e.flag49);
    f(T::kOffPositiveROnly, e.positiveROnly);
    f(T::kOffFlag51, e.flag51);
    f(T::kOffFlags52, e.flags52);
    f(T::kOffLongSearch, e.longSearch);
    f(T::kOffFlag56, e.flag56);
    f(T::kOffPeriodic, e.periodic);
    f(T::kOffArrow, e.arrow);
    f(T::kOffInterpolation, e.interpolation);
    f(T::kOffFlag60, e.flag60);
    f(T::kOffParam61, e.param61);
    f(T::kOffFamilyLow, e.familyLow);
    f(T::kOffFamilyHigh, e.familyHigh);
    f(T::kOffRangeStart, e.rangeStart);
    f(T::kOffRangeEnd, e.rangeEnd);
    f(T::kOffInts111, e.ints111);
    f(T::kOffInts117, e.ints117);
    f(T::kOffLow, e.low);
    f(T::kOffLow2, e.low2);
    f(T::kOffHigh, e.high);
    f(T::kOffHigh2, e.high2);
    f(T::kOffValues161, e.values161);
    f(T::kOffValues191, e.values191);
    f(T::kOffSaved221, e.saved221);
    f(T::kOffSaved251, e.saved251);
    f(T::kOffValue281, e.value281);
    f(T::kOffValue291, e.value291);
    f(T::kOffValue301, e.value301);
    f(T::kOffExtra311, e.extra311);
    f(T::kOffDiscontinuity, e.discontinuity);
    f(T::kOffExtra411, e.extra411);
    f(T::kOffPenColour, e.penColour);
    f(T::kOffPenWidth, e.penWidth);
    f(T::kOffPenStyle, e.penStyle);
}

template <class V>
constexpr std::size_t StoredWidth() {
    if constexpr (std::is_same_v<V, long double>) return 10;
    else return sizeof(V);
}

struct Writer {
    std::uint8_t* out;
    void Put(std::size_t off, std::uint8_t v) { out[off] = v; }
    void Put(std::size_t off, std::uint16_t v) { PutU16(out + off, v); }
    void Put(std::size_t off, std::int16_t v) { PutU16(out + off, static_cast<std::uint16_t>(v)); }
    void Put(std::size_t off, long double v) { StoreExt80(v, out + off); }
    template <class V>
    void operator()(std::size_t off, const V& v) { Put(off, v); }
    template <class V, std::size_t N>
    void operator()(std::size_t off, const std::array<V, N>& a) {
        for (std::size_t i = 0; i < N; ++i) Put(off + i * StoredWidth<V>(), a[i]);
    }
};

struct Reader {
    const std::uint8_t* in;
    void Get(std::size_t off, std::uint8_t& v) { v = in[off]; }
    void Get(std::size_t off, std::uint16_t& v) { v = GetU16(in + off); }
    void Get(std::size_t off, std::int16_t& v) { v = static_cast<std::int16_t>(GetU16(in + off)); }
    void Get(std::size_t off, long double& v) { v = LoadExt80(in + off); }
    template <class V>
    void operator()(std::size_t off, V& v) { Get(off, v); }
    template <class V, std::size_t N>
    void operator()(std::size_t off, std::array<V, N>& a) {
        for (std::size_t i = 0; i < N; ++i) Get(off + i * StoredWidth<V>(), a[i]);
    }
};

struct Coverage {
    std::array<std::uint8_t, TExample::kStoredSize>& count;
    template <class V>
    void operator()(std::size_t off, const V&) {
        for (std::size_t i = 0; i < StoredWidth<V>(); ++i) ++count[off + i];
    }
    template <class V, std::size_t N>
    void operator()(std::size_t off, const std::array<V, N>&) {
        for (std::size_t i = 0; i < N * StoredWidth<V>(); ++i) ++count[off + i];
    }
};

std::string FormatNumber(long double v, std::string_view format) {
    // Accept only "%<width>.<decimals>L<f|g|e>"; the conversion is rebuilt from the parsed
    // numbers so a stray format text can never reach printf.
    int width = 7, decimals = 5;
    char conv = 'f';
    std::size_t i = 0;
    auto digits = [&](int& out) {
        int n = 0, k = 0;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9' && k < 2) {
            n = n * 10 + (format[i++] - '0');
            ++k;
        }
        if (k) out = n;
    };
    if (i < format.size() && format[i] == '%') {
        ++i;
        digits(width);
        if (i < format.size() && format[i] == '.') {
            ++i;
            digits(decimals);
        }
        if (i + 1 < format.size() && format[i] == 'L' &&
            (format[i + 1] == 'f' || format[i + 1] == 'g' || format[i + 1] == 'e'))
            conv = format[i + 1];
    }
    char fmt[32];
    std::snprintf(fmt, sizeof fmt, "%%%d.%dL%c", width, decimals, conv);
    char buf[160];
    std::snprintf(buf, sizeof buf, fmt, v);
    std::string s(buf);
    std::size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
}

}  // namespace

TExample::Image TExample::Store() const {
    Image image{};  // pointer fields stay zero
    VisitFields(*this, Writer{image.data()});
    return image;
}

void TExample::Load(const Image& image) {
    VisitFields(*this, Reader{image.data()});
}

std::array<std::uint8_t, TExample::kStoredSize> TExample::FieldCoverage() {
    std::array<std::uint8_t, kStoredSize> count{};
    TExample probe;
    VisitFields(probe, Coverage{count});
    return count;
}

TExample NewExample(std::uint16_t kind, long double rangeStart, long double rangeEnd,
                    std::uint16_t penColour) {
    TExample e;
    e.kind = kind;
    if (kind == kKindExplicit) {
        e.familyDelay = 50;
        e.kindCount = 10;
        e.discontinuity = 1.0L;
    }
    e.rangeStart = e.low = rangeStart;
    e.rangeEnd = e.high = rangeEnd;
    e.saved221 = e.values161;
    e.saved251 = e.values191;
    e.penColour = (kind == kKindSystem || kind == kKindSlope) ? 4 : penColour;
    if (const ExampleKindInfo* info = FindExampleKind(kind)) {
        for (int i = 0; i < 5; ++i) e.texts[i] = info->defaultTexts[i];
    }
    if (kind == kKindInterpolation) {
        e.kind = kKindExplicit;
        e.interpolation = 1;
        e.familyDelay = 50;
        e.kindCount = 10;
        e.discontinuity = 1.0L;
        e.fieldRows = 3;  // node size
        std::vector<WorldPoint> nodes;
        if (ParseNodeText(e.texts[0], nodes)) StoreNodes(e, nodes);
        RebuildInterpolation(e);
    }
    // Point-like kinds start with a visible point size.
    if (kind == kKindPoint || kind == kKindPointOnCurve) {
        e.flag56 = 1;
        e.value291 = 3;
    }
    if (kind == kKindPointOnCurve) e.kindCount = kKindExplicit;
    if (kind == kKindPointSequence) {
        e.flag56 = 1;
        e.confirmMark = 3;
    }
    // A circle of radius 1 rolling twice round along the x axis: the cycloid.
    if (kind == kKindRollingCircle) {
        e.low = 0;
        e.high = 2 * kTwoPi;
        e.value281 = 1;
        e.value291 = 1;
    }
    return e;
}

std::uint16_t DefaultCurveColour(unsigned creationCounter, bool blackGraphs) {
    return blackGraphs ? 0 : kCurvePalette[creationCounter % kCurvePalette.size()];
}

std::string DescribeExample(const TExample& e) {
    const auto& t = e.texts;
    switch (e.kind) {
    case kKindExplicit: return "y = " + t[1];
    case kKindPolar: return "r = " + t[2];
    case kKindParametric: return "x = " + t[0] + ", y = " + t[1];
    case kKindImplicit: return t[4];
    case kKindSegment:
        if (e.longSearch) return "(r = " + t[0] + ", t = " + t[1] + ") - (r = " + t[2] + ", t = " + t[3] + ")";
        return "(" + t[0] + ", " + t[1] + ") - (" + t[2] + ", " + t[3] + ")";
    case kKindLine: return t[0] + "x + " + t[1] + "y = " + t[2];
    case kKindPoint:
        if (e.longSearch) return "(r = " + t[0] + ", t = " + t[1] + ")";
        return "(" + t[0] + ", " + t[1] + ")";
    case kKindSystem: return "dx/dt = " + t[0] + ", dy/dt = " + t[1];
    case kKindSlope: return "dy/dx = " + t[2];
    case kKindSequence: return "x = " + t[0] + ", y = " + t[1];
    case kKindRollingCircle: return std::string(res::String(246)) + ": y = " + t[1];
    case kKindPointOnCurve: {
        const std::uint16_t shape = PointOnCurveShape(e);
        const std::string curve = shape == kKindPolar        ? "r = " + t[2]
                                  : shape == kKindParametric ? "x = " + t[0] + ", y = " + t[1]
                                                             : "y = " + t[1];
        return std::string(res::String(254)) + ": " + curve + "; " + t[3];
    }
    case kKindPointSequence: return std::string(res::String(257)) + ": " + t[3];
    default: break;
    }
    // Other kinds: their kind name and whatever texts they hold.
    std::string s;
    if (const ExampleKindInfo* info = FindExampleKind(e.kind); info && info->nameId)
        s = std::string(res::String(info->nameId));
    for (const std::string& text : t) {
        if (text.empty()) continue;
        if (!s.empty()) s += s.back() == ':' ? " " : ": ";
        s += text;
    }
    return s;
}

std::string InventoryLine(const TExample& e, std::string_view name, std::string_view format) {
    std::string line;
    if (e.visible == 0) line += res::String(166);
    line += name.empty() ? DescribeExample(e) : std::string(name);
    if (e.familyActive) {
        line += " ";
        line += res::String(134);
        line += "[";
        line += static_cast<char>('a' + (e.familyParam >= 1 && e.familyParam <= 26 ? e.familyParam - 1 : 0));
        line += " = " + FormatNumber(e.familyLow, format) + " to " + FormatNumber(e.familyHigh, format);
        line += "; " + std::to_string(std::abs(static_cast<int>(e.familySteps))) + " ";
        line += res::String(135);
        line += "]";
    }
    return line;
}

}  // namespace curvelo
