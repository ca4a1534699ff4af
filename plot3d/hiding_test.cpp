#include "plot3d/hiding_test.h"

#include <algorithm>
#include <cmath>

#include "expr/letters.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_mesh.h"

namespace curvelo {
namespace {

constexpr double kTwoPiD = 6.283185307179586;

int Sign(double v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

// The part of the segment a + s(b - a), 0 <= s <= 1, inside the box; false when none.
bool ClipToBox(const double a[3], const double b[3], const double lo[3], const double hi[3], double& s0, double& s1) {
    s0 = 0;
    s1 = 1;
    for (int k = 0; k < 3; ++k) {
        const double d = b[k] - a[k];
        if (d == 0) {
            if (a[k] < lo[k] || a[k] > hi[k]) return false;
            continue;
        }
        double t0 = (lo[k] - a[k]) / d, t1 = (hi[k] - a[k]) / d;
        if (t0 > t1) std::swap(t0, t1);
        s0 = std::max(s0, t0);
        s1 = std::min(s1, t1);
        if (s0 > s1) return false;
    }
    return true;
}

// The plane through p, q, r as a unit normal and offset; false when the three are in line.
bool PlaneThrough(const MeshVertex& p, const MeshVertex& q, const MeshVertex& r, double out[4]) {
    const double a[3] = {q.x - p.x, q.y - p.y, q.z - p.z};
    const double b[3] = {r.x - p.x, r.y - p.y, r.z - p.z};
    double n[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    const double l = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (!(l > 1e-300)) return false;
    for (double& c : n) c /= l;
    out[0] = n[0];
    out[1] = n[1];
    out[2] = n[2];
    out[3] = -(n[0] * p.x + n[1] * p.y + n[2] * p.z);
    return true;
}

double PlaneValue(const double n[4], const double q[3]) { return n[0] * q[0] + n[1] * q[1] + n[2] * q[2] + n[3]; }

}  // namespace

VisibilitySettings VisibilityOf(const View3D& view) {
    VisibilitySettings s;
    s.parametricShading = view.parametricShading;
    s.steps = std::max<int>(1, view.visibilitySteps);
    s.planeTolerance = 0.001 * view.planeSetting;
    s.tolerance = static_cast<double>(view.visibilityTolerance);
    return s;
}

bool InsidePolygon(const double* u, const double* v, int n, double pu, double pv) {
    bool inside = false;
    for (int i = 0, j = n - 1; i < n; j = i++) {
        if ((v[i] > pv) != (v[j] > pv) && pu < (u[j] - u[i]) * (pv - v[i]) / (v[j] - v[i]) + u[i]) inside = !inside;
    }
    return inside;
}

void HidingTest::Prepare(ExampleInventory& inventory, FormulaEngine& engine, const ProjectionSnapshot& projection,
                         const VisibilitySettings& settings) {
    hiders_.clear();
    quads_.clear();
    programs_.clear();
    letters_ = &engine.letters;
    projection_ = projection;
    settings_ = settings;
    settings_.steps = std::max(1, settings_.steps);
    programs_.reserve(static_cast<std::size_t>(inventory.Count()));
    const double* eye = projection_.worldEye;
    for (int x = 0; x < inventory.Count(); ++x) {
        InventorySlot& slot = inventory.Slot(x);
        const TExample& e = slot.example;
        if (!e.visible || !IsHidingKind(e.kind)) continue;
        const bool parametric = IsParametricMeshKind(e.kind);
        if (parametric && !settings_.parametricShading) continue;
        SurfaceWork* work = SurfaceWorkOf(slot);
        if (IsMeshKind(e.kind) && (!work || work->VertexCount() <= 1 || work->vertices.empty())) continue;
        Hider h;
        h.slot = &slot;
        h.kind = e.kind;
        for (int a = 0; a < 3; ++a) {
            h.lo[a] = static_cast<double>(e.values161[static_cast<std::size_t>(a)]);
            h.hi[a] = static_cast<double>(e.values191[static_cast<std::size_t>(a)]);
        }
        h.p1lo = static_cast<double>(std::min(e.low, e.high));
        h.p1hi = static_cast<double>(std::max(e.low, e.high));
        h.p2lo = static_cast<double>(std::min(e.low2, e.high2));
        h.p2hi = static_cast<double>(std::max(e.low2, e.high2));
        if (e.kind == kKindSurfaceExplicit || e.kind == kKindCylindrical || e.kind == kKindSurfaceImplicit) {
            ExprNode* tree = slot.trees[e.kind == kKindSurfaceImplicit ? 4 : 2];
            if (!tree) continue;
            h.program = static_cast<int>(programs_.size());
            programs_.emplace_back(tree);
        } else if (e.kind == kKindPlane) {
            const PlaneCoefficients& pl = work->plane;
            h.eyeSide = static_cast<double>(pl.SideOf(eye[0], eye[1], eye[2]));
            const MeshVertex* c[4] = {&work->Vertex(0, 0), &work->Vertex(0, work->n2), &work->Vertex(work->n1, work->n2),
                                      &work->Vertex(work->n1, 0)};
            for (int k = 0; k < 4; ++k) projection_.Project(c[k]->x, c[k]->y, c[k]->z, h.planeU[k], h.planeV[k]);
        } else {
            h.firstQuad = static_cast<int>(quads_.size());
            const int row = work->n2 + 1;
            for (int i = 0; i < work->n1; ++i)
                for (int j = 0; j < work->n2; ++j) {
                    const int idx[4] = {i * row + j, i * row + j + 1, (i + 1) * row + j + 1, (i + 1) * row + j};
                    bool ok = true;
                    for (int id : idx) ok = ok && work->defined[static_cast<std::size_t>(id)];
                    if (!ok) continue;
                    const MeshVertex* c[4];
                    for (int k = 0; k < 4; ++k) c[k] = &work->vertices[static_cast<std::size_t>(idx[k])];
                    QuadPlanes qp;
                    // The corner triples that start at (i, j), (i, j + 1) and (i + 1, j),
                    // each with its two neighbours on the quadrilateral.
                    const bool planes = PlaneThrough(*c[0], *c[1], *c[3], qp.n[0]) &&
                                        PlaneThrough(*c[1], *c[2], *c[0], qp.n[1]) &&
                                        PlaneThrough(*c[3], *c[0], *c[2], qp.n[2]);
                    if (!planes) continue;
                    for (int k = 0; k < 3; ++k) qp.eyeSide[k] = PlaneValue(qp.n[k], eye);
                    for (int k = 0; k < 4; ++k) projection_.Project(c[k]->x, c[k]->y, c[k]->z, qp.u[k], qp.v[k]);
                    qp.umin = std::min({qp.u[0], qp.u[1], qp.u[2], qp.u[3]});
                    qp.umax = std::max({qp.u[0], qp.u[1], qp.u[2], qp.u[3]});
                    qp.vmin = std::min({qp.v[0], qp.v[1], qp.v[2], qp.v[3]});
                    qp.vmax = std::max({qp.v[0], qp.v[1], qp.v[2], qp.v[3]});
                    quads_.push_back(qp);
                }
            h.quadCount = static_cast<int>(quads_.size()) - h.firstQuad;
        }
        hiders_.push_back(h);
    }
}

bool HidingTest::IsPointVisible(const double p[3]) {
    for (int a = 0; a < 3; ++a)
        if (!(p[a] >= projection_.cellMin[a] && p[a] <= projection_.cellMax[a])) return false;
    return !IsPointHidden(p);
}

bool HidingTest::IsPointHidden(const double p[3]) {
    if (!settings_.hiddenLineTest || hiders_.empty()) return false;
    const double* eye = projection_.worldEye;
    const double w[3] = {eye[0] - p[0], eye[1] - p[1], eye[2] - p[2]};
    const double l = std::sqrt(w[0] * w[0] + w[1] * w[1] + w[2] * w[2]);
    const double f = l > 0 ? settings_.tolerance / l : 0;
    const double q[3] = {p[0] + w[0] * f, p[1] + w[1] * f, p[2] + w[2] * f};
    double su = 0, sv = 0;
    projection_.Project(q[0], q[1], q[2], su, sv);
    for (Hider& h : hiders_)
        if (ExampleHides(h, q, su, sv)) return true;
    return false;
}

double HidingTest::Side(Hider& h, double x, double y, double z, bool& ok) {
    LetterStore& letters = *letters_;
    EvalProgram& program = programs_[static_cast<std::size_t>(h.program)];
    double base = 0;
    if (h.kind == kKindSurfaceExplicit) {
        SetLetter(letters, kLetterX, x);
        SetLetter(letters, kLetterY, y);
        base = z;
    } else if (h.kind == kKindCylindrical) {
        const double r = std::hypot(x, y);
        if (r < h.p1lo || r > h.p1hi) return 0;  // no surface over this point
        double t = std::atan2(y, x);
        t = h.p2lo + std::fmod(std::fmod(t - h.p2lo, kTwoPiD) + kTwoPiD, kTwoPiD);
        if (t > h.p2hi) return 0;
        SetLetter(letters, kLetterR, r);
        SetLetter(letters, kLetterT, t);
        base = z;
    } else {
        SetLetter(letters, kLetterX, x);
        SetLetter(letters, kLetterY, y);
        SetLetter(letters, kLetterZ, z);
    }
    if (!program.Run(letters)) {
        ok = false;
        return 0;
    }
    const double value = static_cast<double>(program.Tree()->value.re);
    const double s = h.kind == kKindSurfaceImplicit ? value : base - value;
    return std::fabs(s) < 1e-18 ? 0 : s;
}

bool HidingTest::SteppedHides(Hider& h, const double q[3]) {
    const double* eye = projection_.worldEye;
    double s0 = 0, s1 = 0;
    if (!ClipToBox(q, eye, h.lo, h.hi, s0, s1)) return false;
    const double a[3] = {q[0] + s0 * (eye[0] - q[0]), q[1] + s0 * (eye[1] - q[1]), q[2] + s0 * (eye[2] - q[2])};
    const int n = settings_.steps;
    const double d[3] = {(s1 - s0) * (eye[0] - q[0]) / n, (s1 - s0) * (eye[1] - q[1]) / n,
                         (s1 - s0) * (eye[2] - q[2]) / n};
    bool ok = true;
    const int first = Sign(Side(h, a[0], a[1], a[2], ok));
    if (first == 0) return false;
    for (int k = 1; k <= n; ++k) {
        ok = true;
        const int s = Sign(Side(h, a[0] + k * d[0], a[1] + k * d[1], a[2] + k * d[2], ok));
        if (s * first < 0) return true;
    }
    return false;
}

bool HidingTest::ExampleHides(Hider& h, const double q[3], double su, double sv) {
    switch (h.kind) {
    case kKindSurfaceExplicit:
    case kKindCylindrical:
    case kKindSurfaceImplicit: return SteppedHides(h, q);
    case kKindPlane: {
        const PlaneCoefficients& pl = SurfaceWorkOf(*h.slot)->plane;
        const double side = static_cast<double>(pl.SideOf(q[0], q[1], q[2]));
        return h.eyeSide * side < 0 && InsidePolygon(h.planeU, h.planeV, 4, su, sv);
    }
    default: break;
    }
    const double tol = settings_.planeTolerance;
    const QuadPlanes* end = quads_.data() + h.firstQuad + h.quadCount;
    for (const QuadPlanes* qp = quads_.data() + h.firstQuad; qp != end; ++qp) {
        if (su < qp->umin || su > qp->umax || sv < qp->vmin || sv > qp->vmax) continue;
        if (qp->eyeSide[0] * PlaneValue(qp->n[0], q) < tol && qp->eyeSide[1] * PlaneValue(qp->n[1], q) < tol &&
            qp->eyeSide[2] * PlaneValue(qp->n[2], q) < tol && InsidePolygon(qp->u, qp->v, 4, su, sv))
            return true;
    }
    return false;
}

}  // namespace curvelo
