// The many-body system of kind 219: its bodies as the user edits them, the settings of a run,
// the random three-body start, and its place in a 2D document (the example record's
// kind-specific fields and the example's list of initial conditions).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plot2d/cv2_document.h"
#include "plot2d/example.h"
#include "plotwin/number_format.h"
#include "plotwin/vec3.h"
#include "special/decimal_field.h"
#include "special/random_ints.h"

namespace curvelo {

inline constexpr int kMinBodies = 2;
inline constexpr int kMaxBodies = 11;
// Bodies and the centre of mass.
inline constexpr int kOrbitalSlots = kMaxBodies + 1;
// What the dialog and a document allow: an interval longer than this is refused, since one
// drawn step runs without a look at the keyboard.
inline constexpr long double kMaxComputations = 1000000.0L;
inline constexpr long double kMaxPositions = 2147483647.0L;
inline constexpr int kMaxMarkerSize = 100;
inline constexpr int kMaxBodyPenWidth = 100;
inline constexpr std::size_t kMaxBodyName = 250;
// Below this distance two bodies count as colliding.
inline constexpr long double kCloseApproach = 0.001L;
// Masses and constants must be above this.
inline constexpr long double kOrbitalEpsilon = 1e-18L;

struct OrbitalBody {
    Vec3 position;                        // initial
    std::array<std::string, 3> velocity;  // initial x', y', z' as typed
    long double mass = 1.0L;
    std::string name;                     // UTF-8
    std::uint16_t colour = 6;
    std::uint16_t penWidth = 2;
    bool operator==(const OrbitalBody&) const = default;
};

struct OrbitalSystem {
    long double G = 1.0L;
    long double interval = 0.002L;         // between two drawn positions
    long double positions = kMaxPositions;  // P, an integer
    long double computations = 100.0L;      // K, an integer
    long double step = 0.00002L;            // h = interval / K
    bool showWhileComputing = true;
    bool stopAtBorder = true;
    bool originFixed = false;
    bool markers = true;
    std::uint16_t originIndex = 0;
    std::uint16_t markerSize = 3;
    // The bodies, then the centre-of-mass record.
    std::vector<OrbitalBody> entries;

    int BodyCount() const { return static_cast<int>(entries.size()) - 1; }
    int CentreIndex() const { return BodyCount(); }
    bool operator==(const OrbitalSystem&) const = default;
};

// The initial velocity of a body: its three texts read as decimals (unreadable ones are 0).
Vec3 InitialVelocity(const OrbitalBody& body);

// The name of body i ("test 2") and of the centre-of-mass record.
std::string BodyName(int index);
std::string CentreName();

// A new random system of N = 3 bodies on a circle of radius 2.4, moving round it.
OrbitalSystem RandomOrbitalSystem(RandomInts& random, const NumberFormat& format);

// Writes the centre of mass of the bodies' initial values into the last record (its
// velocity texts in the number format).
void UpdateCentreRecord(OrbitalSystem& system, const NumberFormat& format);

// A body added before the centre of mass (at the origin, at rest, mass 1, the previous
// body's pen); false when there are already kMaxBodies.
bool AddBody(OrbitalSystem& system, const NumberFormat& format);
// Removes body i (not the centre of mass) while at least kMinBodies remain; the origin is
// no longer fixed.
bool RemoveBody(OrbitalSystem& system, int index, const NumberFormat& format);

// The system's fields in the kind-219 example record and in its initial-condition list.
void StoreOrbitalSystem(const OrbitalSystem& system, TExample& example, std::vector<Cv2InitialCondition>& list);
// Reads them back; false when the list does not hold a system (wrong count, texts missing).
// Counts and sizes that drive work are clamped to what the dialog allows.
bool LoadOrbitalSystem(const TExample& example, const std::vector<Cv2InitialCondition>& list,
                       OrbitalSystem& out);

}  // namespace curvelo
