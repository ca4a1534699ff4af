#include "plot2d/implicit_drawer.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "expr/byte_io.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/example_kinds.h"

namespace curvelo {
namespace {

// Offsets of a start-point node.
constexpr std::size_t kNodeX = 0, kNodeY = 10, kNodePassValue = 20, kNodePass = 32;
// The mask holds at most this many cells; a larger output gets coarser cells.
constexpr long long kMaxMaskCells = 16LL * 1024 * 1024;
// A remembered start point farther from F = 0 than this (pixels) belongs to another
// curve: the letters or the functions changed since it was found.
constexpr long double kStalePixels = 0.5L;
// Hatching: pixels between the lines, pixels between samples along a line, bisections of
// each edge of a hatched run.
constexpr int kHatchSpacing = 8;
constexpr int kHatchSample = 2;
constexpr int kHatchBisections = 6;

// The sink of a traced branch: the surface's polylines, and the coverage mask.
class BranchSink : public TraceSink {
public:
    BranchSink(DrawSurface& surface, CoverageMask& mask, const std::function<void()>* observe)
        : surface_(surface), mask_(mask), observe_(observe) {}
    void MoveTo(WorldPoint p) override {
        if (open_) surface_.EndPolyline();
        surface_.BeginPolyline();
        surface_.PolylineTo(p);
        mask_.MarkSegment(p, p);
        last_ = p;
        open_ = true;
    }
    void LineTo(WorldPoint p) override {
        surface_.PolylineTo(p);
        mask_.MarkSegment(last_, p);
        last_ = p;
        if (observe_) {
            surface_.EndPolyline();  // what is drawn so far reaches the picture
            (*observe_)();
            surface_.BeginPolyline();
            surface_.PolylineTo(p);
        }
    }
    void PenUp() override {
        if (open_) surface_.EndPolyline();
        open_ = false;
    }

private:
    DrawSurface& surface_;
    CoverageMask& mask_;
    const std::function<void()>* observe_;
    WorldPoint last_;
    bool open_ = false;
};

}  // namespace

Cv2InitialCondition StoreImplicitStart(const ImplicitStart& start) {
    Cv2InitialCondition node;
    StoreExt80(start.p.x, node.record.data() + kNodeX);
    StoreExt80(start.p.y, node.record.data() + kNodeY);
    StoreExt80(start.passValue, node.record.data() + kNodePassValue);
    PutU16(node.record.data() + kNodePass, static_cast<std::uint16_t>(std::clamp(start.pass, 0, 0xFFFF)));
    return node;
}

ImplicitStart LoadImplicitStart(const Cv2InitialCondition& node) {
    ImplicitStart s;
    s.p = {LoadExt80(node.record.data() + kNodeX), LoadExt80(node.record.data() + kNodeY)};
    s.passValue = LoadExt80(node.record.data() + kNodePassValue);
    s.pass = GetU16(node.record.data() + kNodePass);
    return s;
}

CoverageMask::CoverageMask(const PlotView& view) : view_(view) {
    const long long w = std::max<long long>(1, view.W), h = std::max<long long>(1, view.H);
    while (scale_ < 4096 && (w / scale_ + 1) * (h / scale_ + 1) > kMaxMaskCells) scale_ *= 2;
    width_ = w / scale_ + 1;
    height_ = h / scale_ + 1;
    cells_.assign(static_cast<std::size_t>(width_ * height_), 0);
}

void CoverageMask::Clear() { std::fill(cells_.begin(), cells_.end(), 0); }

bool CoverageMask::ToCell(WorldPoint p, long double& cx, long double& cy) const {
    cx = (p.x - view_.xmin) / view_.upx / scale_;
    cy = (view_.ymax - p.y) / view_.upy / scale_;
    return std::isfinite(cx) && std::isfinite(cy);
}

void CoverageMask::Mark(long long x, long long y) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) cells_[static_cast<std::size_t>(y * width_ + x)] = 1;
}

void CoverageMask::MarkSegment(WorldPoint a, WorldPoint b) {
    long double ax, ay, bx, by;
    if (!ToCell(a, ax, ay) || !ToCell(b, bx, by)) return;
    // Steps of half a cell; a segment reaching far outside is marked up to a bound.
    const long double length = std::hypot(bx - ax, by - ay);
    const long long n = static_cast<long long>(std::min<long double>(length * 2, 4.0L * (width_ + height_))) + 1;
    for (long long i = 0; i <= n; ++i) {
        const long double s = static_cast<long double>(i) / n;
        Mark(std::llround(ax + s * (bx - ax)), std::llround(ay + s * (by - ay)));
    }
}

bool CoverageMask::Covered(WorldPoint p) const {
    long double cx, cy;
    if (!ToCell(p, cx, cy)) return false;
    const long long x = std::llround(cx), y = std::llround(cy);
    for (long long j = y - 1; j <= y + 1; ++j)
        for (long long i = x - 1; i <= x + 1; ++i)
            if (i >= 0 && j >= 0 && i < width_ && j < height_ && cells_[static_cast<std::size_t>(j * width_ + i)])
                return true;
    return false;
}

void RequestImplicitSearch(InventorySlot& slot) {
    if (slot.example.kind != kKindImplicit) return;
    slot.initialConditions.clear();
    slot.example.arrow = 1;
}

bool ImplicitDrawer::Stopped(int key) const { return key == kKeyStopDrawing; }

int ImplicitDrawer::Draw(InventorySlot& slot) {
    TExample& e = slot.example;
    ExprNode* f = slot.trees[kImplicitTree];
    if (!e.visible || e.kind != kKindImplicit || !f) return 0;
    const PlotView& view = surface_.View();
    ImplicitField field(letters_, f, view.upx, view.upy);
    lastKey_ = 0;

    surface_.Save();
    surface_.SetPen(ColourOf(e.penColour), e.penWidth, StyleOf(e.penStyle));
    int passes = 1;
    long double increment = 0;
    const int param = e.familyParam;
    const bool family = e.familyActive && param >= 1 && param < kLetterCount;
    const ExtComplex letterBefore = family ? letters_.LetterValues[param] : ExtComplex{};
    if (family) {
        const int s = std::abs(static_cast<int>(e.familySteps));
        passes = s + 1;
        if (s > 0) increment = (e.familyHigh - e.familyLow) / s;
    }
    const bool search = e.arrow != 0;
    int key = 0;
    for (int k = 0; k < passes && !Stopped(key); ++k) {
        const long double value = family ? e.familyLow + k * increment : 0;
        if (family) letters_.LetterValues[param] = {value, 0.0L};
        key = DrawPass(slot, field, k, value, search);
        if (!Stopped(key) && family && e.familySteps < 0 && hooks.showPassAndWait && k + 1 < passes)
            key = hooks.showPassAndWait(e.familyDelay);
    }
    // A search stopped with Q is not taken up again by the next repaint.
    e.arrow = 0;
    if (family) letters_.LetterValues[param] = letterBefore;
    surface_.Restore();
    evaluations_ += field.Evaluations();
    return key;
}

int ImplicitDrawer::DrawPass(InventorySlot& slot, ImplicitField& field, int pass, long double passValue,
                             bool search) {
    TExample& e = slot.example;
    const PlotView& view = surface_.View();
    if (e.flag49 == kShadeBelow || e.flag49 == kShadeAbove) Shade(field, static_cast<ImplicitShading>(e.flag49));

    TraceSettings settings = tracing_;
    settings.density = e.density;
    settings.stopAtBorder = e.flags52[0] != 0;
    settings.nullVectorPixels = 0;  // a curve has no speed; its crossings have no gradient
    if (!silent && hooks.pollKey)
        settings.stopRequested = [this] { return Stopped(lastKey_ = hooks.pollKey()); };
    TrajectoryTracer tracer(view, settings);
    CoverageMask mask(view);
    const bool observe = e.periodic && observeAllowed && !silent && hooks.showSoFar;
    BranchSink sink(surface_, mask, observe ? &hooks.showSoFar : nullptr);

    // The known branches first.
    auto& list = slot.initialConditions;
    for (std::size_t i = 0; i < list.size();) {
        const ImplicitStart start = LoadImplicitStart(list[i]);
        if (start.pass != pass) {
            ++i;
            continue;
        }
        long double value = 0, gx = 0, gy = 0;
        const bool onCurve = field.Value(start.p, value) && field.Gradient(start.p, gx, gy) &&
                             std::fabs(value) <= kStalePixels * std::hypot(gx * view.upx, gy * view.upy);
        if (!onCurve) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            search = true;
            continue;
        }
        const TraceResult r = tracer.TraceBoth(field, start.p, 0, sink);
        ++branches_;
        if (r.end == TraceEnd::kStopped) return kKeyStopDrawing;
        ++i;
    }
    if (!search) return 0;

    std::mt19937_64 fallback(0x5eed);
    const std::function<WorldPoint()> random = hooks.randomPoint ? hooks.randomPoint : [&fallback, &view] {
        std::uniform_real_distribution<double> u(0.0, 1.0);
        return WorldPoint{view.xmin + u(fallback) * (view.xmax - view.xmin),
                          view.ymin + u(fallback) * (view.ymax - view.ymin)};
    };
    const long double eps = 0.0001L * (view.upx + view.upy);
    const int attempts = !e.longSearch ? kImplicitAttempts : silent ? kSilentLongSearchAttempts : kLongSearchAttempts;
    for (int a = 0; a < attempts; ++a) {
        WorldPoint p;
        if (FindStartPoint(field, random, eps, p) && !mask.Covered(p)) {
            const TraceResult r = tracer.TraceBoth(field, p, 0, sink);
            ++branches_;
            if (static_cast<int>(list.size()) < kMaxImplicitStartPoints)
                list.push_back(StoreImplicitStart({p, pass, passValue}));
            if (r.end == TraceEnd::kStopped) return kKeyStopDrawing;
        }
        if (!silent && hooks.pollKey && Stopped(lastKey_ = hooks.pollKey())) return kKeyStopDrawing;
    }
    return lastKey_;
}

void ImplicitDrawer::Shade(ImplicitField& field, ImplicitShading shading) {
    const PlotView& view = surface_.View();
    const long long w = std::max(1, view.W), h = std::max(1, view.H);
    const auto world = [&view](long double px, long double py) {
        return WorldPoint{view.xmin + px * view.upx, view.ymax - py * view.upy};
    };
    const auto inside = [&](long double px, long double py) {
        long double v = 0;
        if (!field.Value(world(px, py), v)) return false;
        return shading == kShadeBelow ? v < 0 : v > 0;
    };
    // The edge between a (inside as `was`) and b, narrowed by bisection.
    const auto edge = [&](long long c, long double a, long double b, bool was) {
        for (int i = 0; i < kHatchBisections; ++i) {
            const long double mid = (a + b) / 2;
            (inside(mid, c - mid) == was ? a : b) = mid;
        }
        return was ? a : b;
    };
    // Lines px + py = c rising to the right, every kHatchSpacing pixels.
    for (long long c = kHatchSpacing / 2; c < w + h; c += kHatchSpacing) {
        const long long from = std::max(0LL, c - h), to = std::min(w, c);
        if (to <= from) continue;
        const long long n = (to - from + kHatchSample - 1) / kHatchSample;
        long double previous = static_cast<long double>(from), runStart = previous;
        bool in = inside(previous, c - previous);
        for (long long i = 1; i <= n; ++i) {
            const long double px = static_cast<long double>(std::min(from + i * kHatchSample, to));
            const bool now = inside(px, c - px);
            if (now != in) {
                const long double e = edge(c, previous, px, in);
                if (in) surface_.Segment(world(runStart, c - runStart), world(e, c - e));
                runStart = e;
                in = now;
            }
            previous = px;
        }
        if (in) surface_.Segment(world(runStart, c - runStart), world(previous, c - previous));
    }
}

}  // namespace curvelo
