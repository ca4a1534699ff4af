#include "special/orbital_simulation.h"

#include <cmath>

namespace curvelo {

void OrbitalSimulation::Reset(const OrbitalSystem& s) {
    n_ = std::min(s.BodyCount(), kMaxBodies);
    G_ = s.G;
    originFixed_ = s.originFixed && s.originIndex <= n_;
    originIndex_ = originFixed_ ? s.originIndex : 0;
    m_[static_cast<std::size_t>(n_)] = 0;
    for (int i = 0; i < n_; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const OrbitalBody& b = s.entries[k];
        p_[k] = b.position;
        v_[k] = InitialVelocity(b);
        m_[k] = b.mass;
        m_[static_cast<std::size_t>(n_)] += b.mass;
    }
    for (auto& row : c_) row.fill(0);
    UpdateCentre();
    UpdateDisplay();
}

void OrbitalSimulation::UpdateCentre() {
    const auto c = static_cast<std::size_t>(n_);
    const long double total = m_[c];
    Vec3 p, v;
    for (std::size_t i = 0; i < c; ++i) {
        w_[i] = total > 0 ? m_[i] / total : 0;
        p = {p.x + w_[i] * p_[i].x, p.y + w_[i] * p_[i].y, p.z + w_[i] * p_[i].z};
        v = {v.x + w_[i] * v_[i].x, v.y + w_[i] * v_[i].y, v.z + w_[i] * v_[i].z};
    }
    w_[c] = 1;
    p_[c] = p;
    v_[c] = v;
}

bool OrbitalSimulation::Compute(long double h) {
    bool apart = true;
    const auto n = static_cast<std::size_t>(n_);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j) {
            const long double dx = p_[j].x - p_[i].x, dy = p_[j].y - p_[i].y, dz = p_[j].z - p_[i].z;
            const long double r = std::sqrt(dx * dx + dy * dy + dz * dz);
            if (r >= kCloseApproach) c_[i][j] = c_[j][i] = G_ / (r * r * r);
            else apart = false;
        }
    for (std::size_t i = 0; i < n; ++i) d_[i] = {h * v_[i].x, h * v_[i].y, h * v_[i].z};
    for (std::size_t i = 0; i < n; ++i) {
        Vec3 a;
        for (std::size_t j = 0; j < n; ++j) {
            if (j == i) continue;
            const long double f = m_[j] * c_[i][j];
            a = {a.x + f * (p_[j].x - p_[i].x), a.y + f * (p_[j].y - p_[i].y), a.z + f * (p_[j].z - p_[i].z)};
        }
        v_[i] = {v_[i].x + h * a.x, v_[i].y + h * a.y, v_[i].z + h * a.z};
    }
    for (std::size_t i = 0; i < n; ++i) p_[i] = {p_[i].x + d_[i].x, p_[i].y + d_[i].y, p_[i].z + d_[i].z};
    UpdateCentre();
    return apart;
}

bool OrbitalSimulation::Interval(long long k, long double h) {
    bool apart = true;
    for (long long i = 0; i < k && apart; ++i) apart = Compute(h);
    UpdateDisplay();
    return apart;
}

void OrbitalSimulation::UpdateDisplay() {
    const Vec3 ref = originFixed_ ? p_[static_cast<std::size_t>(originIndex_)] : Vec3{};
    for (int i = 0; i <= n_; ++i) {
        const auto k = static_cast<std::size_t>(i);
        q_[k] = {p_[k].x - ref.x, p_[k].y - ref.y, p_[k].z - ref.z};
    }
}

}  // namespace curvelo
