// The view of a 3D window: the cell the drawing lives in, the eye that looks at its centre,
// the central projection onto the plane through the centre, the eye moves of the View menu,
// the automatic cell and the axis box. Plain state and arithmetic; the window routes its
// commands here and draws what comes out.
#pragma once

#include <cstdint>
#include <numbers>
#include <span>

#include "plotwin/vec3.h"
#include "plotwin/plot_view.h"

namespace curvelo {

// A pixel of the client area; x = -1 marks a point that cannot be drawn.
struct ScreenPoint {
    int x = -1, y = -1;
};

inline constexpr long double kPi3 = std::numbers::pi_v<long double>;
// Below this a depth, a distance or an extent counts as zero.
inline constexpr long double kTiny3 = 1e-18L;
// Below this a cell extent or an axis range counts as empty.
inline constexpr long double kCellEpsilon = 1e-13L;
inline constexpr int kMinRotationFrames = 2, kMaxRotationFrames = 200;
inline constexpr int kMaxVisibilitySteps = 1000;
// Coordinates of the eye and of the axis box beyond this are not taken from outside: the
// projection squares them.
inline constexpr long double kMaxCoordinate = 1e100L;
// Messages 515 "túl közeli" and 518 "túl távoli" (400 + code).
inline constexpr int kMsgTooClose = 115, kMsgTooFar = 118;

class View3D {
public:
    View3D();

    // The cell ("sejt") and what follows from it.
    Vec3 cellMin{0, 0, 0}, cellMax{2, 2, 2};
    Vec3 centre{1, 1, 1};
    Vec3 cellScale{0.5L, 0.5L, 0.5L};
    // The eye, its cube coordinates, and the projection derived from both.
    Vec3 eye{60, 80, 60};
    Vec3 normEye{};
    Vec3 viewVector{};
    long double factorA = 0, factorB = 0;

    long double rotationStep = kPi3 / 30;
    long double visibilityTolerance = 0.1L;
    bool cubeNormalisation = false;
    bool rotateAboutOrigin = false;

    Vec3 axisMin{0, 0, 0}, axisMax{2, 2, 2};
    bool axisLengthsFixed = false;

    bool cellShown = false;
    bool cellCoordinatesShown = false;
    bool cellDashed = false;
    std::int16_t cellPenScreen = 1, cellPenPaper = 3;
    bool hideInvisible = false;
    bool parametricShading = false;

    // The flatness setting ("&Egysíkúság"; plane tolerance = 0.001 × this) and the number of
    // visibility samples per step of the hiding test, as the document keeps them.
    std::int16_t planeSetting = 100;
    std::int16_t visibilitySteps = 12;

    std::int16_t rotationFrames = 30;
    std::int32_t rotationDelayMs = 150;

    // Recomputes the view vector and the factors from the eye and the centre.
    void UpdateProjection();
    // What every change of the eye ends with: the cube eye follows, then the projection.
    void EyeChanged();
    // Projection of a world point onto the view plane, in world units of that plane.
    WorldPoint ProjectPoint(const Vec3& p) const;
    // The projection mapped to client pixels by the 2D view; x = -1 outside the view.
    ScreenPoint ProjectToScreen(const Vec3& p, const PlotView& view) const;
    // The projection of the objects shared with the time windows: kind 3 (x, y), 5 (z, x),
    // 6 (y, z), 7 the central projection, 9 (t, x), 10 and 11 (t, y), 12 (t, z); any other
    // kind gives (x, y).
    WorldPoint ProjectByKind(int kind, long double x, long double y, long double z, long double t) const;

    // The cell becomes the cube of edge 1 about the origin.
    Vec3 Normalise(const Vec3& p) const;
    // Sets the cell; the centre and the scale follow.
    void SetCell(const Vec3& minimum, const Vec3& maximum);
    // L1 length of the cell diagonal.
    long double CellDiagonalL1() const { return (cellMax - cellMin).L1(); }
    // Whether (x, y) lies in the cell's base rectangle, border included.
    bool OverCellBase(long double x, long double y) const;

    // Eye moves; each leaves the projection up to date.
    void Rotate(bool right);
    void Tilt(bool up);
    // The midpoint between eye and centre, refused (false) over the cell's base.
    bool Approach();
    void MoveAway();
    // The eye's direction kept at 1000 cell diagonals; false for an eye at the centre.
    bool FromInfinity();
    void Isometric();
    // Halves the eye while it is too far, then doubles it while it is over the cell's base.
    void BringEyeIntoRange();

    // What an eye typed into the observer dialog would be: 0, kMsgTooClose (over the
    // cell's base) or kMsgTooFar.
    int CheckEye(const Vec3& candidate) const;

    // The automatic cell from the boxes of the visible examples; false when none took part
    // or the cell did not change (the old cell stays).
    bool SetCellFromBoxes(std::span<const Box3> boxes);
    // Centres the 2D view on the projected cell (and the axis box when the axes are shown)
    // so that it fills the window. Does not touch the view history.
    void FitViewToCell(PlotView& view, bool axesShown);
    // The axis box that follows the cell when the lengths are not fixed.
    void UpdateAxisBox();
    // The axis lengths dialog's answer: 0, 6 (an upper end not above its lower end), 17 (an
    // end beyond kMaxCoordinate) or -1 when nothing changed; on 0 the box and the fixed flag
    // are stored.
    int SetAxisBox(const Vec3& minimum, const Vec3& maximum, bool fixed);

    // The frame count dialog's answer: 0 or 17 (outside 2 … 200, the count stays).
    int SetRotationFrames(int frames);
    // A step that turns at all (finite, not zero); false keeps the old one.
    bool SetRotationStep(long double step);
    // The step that makes the given number of frames one full turn.
    static long double FullTurnStep(int frames) { return 2 * kPi3 / frames; }

private:
    void CellChanged();
};

// The eye in the observer dialog's spherical form: rho = |E|, theta = the polar angle of
// (x, y), phi = arccos(z / rho).
struct Spherical {
    long double rho = 0, theta = 0, phi = 0;
};
Spherical ToSpherical(const Vec3& eye);
// False when |theta| or |phi| exceeds 5e18.
bool FromSpherical(const Spherical& s, Vec3* eye);

}  // namespace curvelo
