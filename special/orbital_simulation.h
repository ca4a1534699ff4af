// The motion of a many-body system: the state block (current positions and velocities,
// masses, display positions) and one computation step of the bodies attracting each other
// with G m_i m_j / r^2. Runs without a window.
#pragma once

#include <array>

#include "special/orbital_system.h"

namespace curvelo {

class OrbitalSimulation {
public:
    // Copies the initial positions and velocities and works out masses and the centre of mass.
    void Reset(const OrbitalSystem& system);

    // One computation with step h; false when two bodies came closer than kCloseApproach
    // (their coupling keeps its previous value).
    bool Compute(long double h);
    // Up to k computations, stopping early at a close approach; then the display positions.
    // False when a close approach ended the interval.
    bool Interval(long long k, long double h);
    // Display position = position less the origin entry's (when the origin is fixed).
    void UpdateDisplay();

    int BodyCount() const { return n_; }
    const Vec3& Position(int i) const { return p_[static_cast<std::size_t>(i)]; }
    const Vec3& Velocity(int i) const { return v_[static_cast<std::size_t>(i)]; }
    const Vec3& Display(int i) const { return q_[static_cast<std::size_t>(i)]; }
    // Slot N holds the total mass.
    long double Mass(int i) const { return m_[static_cast<std::size_t>(i)]; }
    long double RelativeMass(int i) const { return w_[static_cast<std::size_t>(i)]; }

private:
    void UpdateCentre();

    using Slots = std::array<Vec3, kOrbitalSlots>;
    int n_ = 0;
    long double G_ = 1;
    bool originFixed_ = false;
    int originIndex_ = 0;
    Slots p_{}, v_{}, q_{}, d_{};
    std::array<long double, kOrbitalSlots> m_{}, w_{};
    std::array<std::array<long double, kOrbitalSlots>, kOrbitalSlots> c_{};
};

}  // namespace curvelo
