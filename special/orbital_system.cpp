#include "special/orbital_system.h"

#include <algorithm>
#include <cmath>

#include "expr/byte_io.h"
#include "expr/codepage.h"
#include "resources/resources.h"

namespace curvelo {

namespace {

// The stored body record (in the 95-byte initial-condition entry).
constexpr std::size_t kOffX = 0, kOffY = 10, kOffZ = 20, kOffTextsFollow = 30, kOffMass = 32,
                      kOffColour = 42, kOffPenWidth = 44;
constexpr std::uint16_t kTextsFollow = 1001;
constexpr int kNameText = 3;

long double Clamp(long double v, long double lo, long double hi, long double fallback) {
    if (!std::isfinite(v)) return fallback;
    return std::clamp(v, lo, hi);
}

}  // namespace

Vec3 InitialVelocity(const OrbitalBody& body) {
    std::array<long double, 3> v{};
    for (std::size_t i = 0; i < 3; ++i)
        if (!ParseDecimal(body.velocity[i], v[i])) v[i] = 0;
    return {v[0], v[1], v[2]};
}

std::string BodyName(int index) { return std::string(res::String(217)) + " " + std::to_string(index); }
std::string CentreName() { return std::string(res::String(218)); }

void UpdateCentreRecord(OrbitalSystem& system, const NumberFormat& format) {
    const int n = system.BodyCount();
    long double total = 0;
    for (int i = 0; i < n; ++i) total += system.entries[static_cast<std::size_t>(i)].mass;
    Vec3 p, v;
    for (int i = 0; i < n && total > 0; ++i) {
        const OrbitalBody& b = system.entries[static_cast<std::size_t>(i)];
        const long double w = b.mass / total;
        const Vec3 vi = InitialVelocity(b);
        p = {p.x + w * b.position.x, p.y + w * b.position.y, p.z + w * b.position.z};
        v = {v.x + w * vi.x, v.y + w * vi.y, v.z + w * vi.z};
    }
    OrbitalBody& c = system.entries.back();
    c.position = p;
    c.velocity = {format.FormatForField(v.x), format.FormatForField(v.y), format.FormatForField(v.z)};
    c.mass = total;
}

OrbitalSystem RandomOrbitalSystem(RandomInts& random, const NumberFormat& format) {
    OrbitalSystem s;
    constexpr int n = 3;
    for (int i = 0; i <= n; ++i) {
        const long double theta = random.Uniform(2 * i + 0.7L, 2 * i + 1.2L);
        OrbitalBody b;
        b.position = {2.4L * std::cos(theta), 2.4L * std::sin(theta), 0};
        b.velocity = {format.FormatForField(-0.3L * std::sin(theta)), format.FormatForField(0.3L * std::cos(theta)),
                      "0.0"};
        b.mass = 1.0L;
        b.name = i < n ? BodyName(i) : CentreName();
        b.colour = kCurvePalette[static_cast<std::size_t>(i) % kCurvePalette.size()];
        s.entries.push_back(b);
    }
    UpdateCentreRecord(s, format);
    return s;
}

bool AddBody(OrbitalSystem& system, const NumberFormat& format) {
    const int n = system.BodyCount();
    if (n + 1 >= kOrbitalSlots) return false;
    OrbitalBody b;
    b.velocity = {"0.0", "0.0", "0.0"};
    b.name = BodyName(n);
    const OrbitalBody& previous = system.entries[static_cast<std::size_t>(n - 1)];
    b.colour = previous.colour;
    b.penWidth = previous.penWidth;
    system.entries.insert(system.entries.begin() + n, b);
    UpdateCentreRecord(system, format);
    return true;
}

bool RemoveBody(OrbitalSystem& system, int index, const NumberFormat& format) {
    const int n = system.BodyCount();
    if (n < kMinBodies + 1 || index < 0 || index >= n) return false;
    system.entries.erase(system.entries.begin() + index);
    system.originFixed = false;
    system.originIndex = 0;
    UpdateCentreRecord(system, format);
    return true;
}

// Record fields of kind 219: 34 body count; 411 G, 421 interval, 431 positions, 441
// computations, 451 step; bytes 52, 53, 54 show-while-computing, stop-at-border, markers;
// byte 60 origin fixed; 111 origin entry, 113 marker size.
void StoreOrbitalSystem(const OrbitalSystem& s, TExample& e, std::vector<Cv2InitialCondition>& list) {
    e.kindCount = static_cast<std::uint16_t>(s.BodyCount());
    e.extra411 = {s.G, s.interval, s.positions, s.computations, s.step};
    e.flags52 = {s.showWhileComputing, s.stopAtBorder, s.markers};
    e.flag60 = s.originFixed;
    e.ints111[0] = s.originIndex;
    e.ints111[1] = s.markerSize;
    list.clear();
    for (const OrbitalBody& b : s.entries) {
        Cv2InitialCondition c;
        std::uint8_t* r = c.record.data();
        StoreExt80(b.position.x, r + kOffX);
        StoreExt80(b.position.y, r + kOffY);
        StoreExt80(b.position.z, r + kOffZ);
        PutU16(r + kOffTextsFollow, kTextsFollow);
        StoreExt80(b.mass, r + kOffMass);
        PutU16(r + kOffColour, b.colour);
        PutU16(r + kOffPenWidth, b.penWidth);
        for (std::size_t t = 0; t < 3; ++t) c.texts[t] = b.velocity[t];
        c.texts[kNameText] = Utf8ToCp1250(b.name);
        list.push_back(std::move(c));
    }
}

bool LoadOrbitalSystem(const TExample& e, const std::vector<Cv2InitialCondition>& list, OrbitalSystem& out) {
    const int n = e.kindCount;
    if (n < kMinBodies || n > kMaxBodies || list.size() != static_cast<std::size_t>(n) + 1) return false;
    OrbitalSystem s;
    const OrbitalSystem fresh;
    s.G = Clamp(e.extra411[0], kOrbitalEpsilon, 1e18L, fresh.G);
    s.interval = Clamp(e.extra411[1], kOrbitalEpsilon, 1e18L, fresh.interval);
    s.positions = std::round(Clamp(e.extra411[2], 0, kMaxPositions, fresh.positions));
    s.computations = std::round(Clamp(e.extra411[3], 1, kMaxComputations, fresh.computations));
    s.step = s.interval / s.computations;
    s.showWhileComputing = e.flags52[0] != 0;
    s.stopAtBorder = e.flags52[1] != 0;
    s.markers = e.flags52[2] != 0;
    s.originIndex = e.ints111[0];
    s.originFixed = e.flag60 != 0 && s.originIndex <= n;
    if (!s.originFixed) s.originIndex = 0;
    s.markerSize = static_cast<std::uint16_t>(std::clamp<int>(e.ints111[1], 1, kMaxMarkerSize));
    for (const Cv2InitialCondition& c : list) {
        if (!c.HasTexts()) return false;
        const std::uint8_t* r = c.record.data();
        OrbitalBody b;
        b.position = {LoadExt80(r + kOffX), LoadExt80(r + kOffY), LoadExt80(r + kOffZ)};
        if (!std::isfinite(b.position.x) || !std::isfinite(b.position.y) || !std::isfinite(b.position.z))
            b.position = {};
        for (std::size_t t = 0; t < 3; ++t) b.velocity[t] = c.texts[t];
        b.mass = Clamp(LoadExt80(r + kOffMass), kOrbitalEpsilon * 2, 1e18L, 1.0L);
        b.colour = static_cast<std::uint16_t>(std::min<int>(GetU16(r + kOffColour), 24));
        b.penWidth = static_cast<std::uint16_t>(std::clamp<int>(GetU16(r + kOffPenWidth), 1, kMaxBodyPenWidth));
        b.name = Cp1250ToUtf8(c.texts[kNameText].substr(0, kMaxBodyName));
        s.entries.push_back(std::move(b));
    }
    out = std::move(s);
    return true;
}

}  // namespace curvelo
