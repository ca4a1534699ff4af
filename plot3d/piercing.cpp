#include "plot3d/piercing.h"

#include <algorithm>
#include <cmath>

#include "expr/eval.h"

namespace curvelo {
namespace {

// Keeps T, X, Y and Z across a search.
class KeptLetters {
public:
    explicit KeptLetters(LetterStore& letters) : letters_(letters) {
        for (int i = 0; i < 4; ++i) saved_[i] = letters.LetterValues[kKept[i]];
    }
    ~KeptLetters() {
        for (int i = 0; i < 4; ++i) letters_.LetterValues[kKept[i]] = saved_[i];
    }
    KeptLetters(const KeptLetters&) = delete;
    KeptLetters& operator=(const KeptLetters&) = delete;

private:
    static constexpr int kKept[4] = {kLetterT, kLetterX, kLetterY, kLetterZ};
    LetterStore& letters_;
    ExtComplex saved_[4];
};

long double Norm(const long double v[3]) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

}  // namespace

bool PiercingBox::StrictlyInside(long double x, long double y, long double z) const {
    const long double p[3] = {x, y, z};
    for (int i = 0; i < 3; ++i)
        if (!(p[i] > lo[i] && p[i] < hi[i])) return false;
    return true;
}

ExprNode* ExplicitSurfaceFunction(const ExprNode* zTree) {
    if (!zTree) return nullptr;
    return NewBinary(nk::MINUS, NewNode(nk::Z), CloneTree(zTree));
}

ExprNode* ImplicitSurfaceFunction(const ExprNode* difference) { return CloneTree(difference); }

PiercingSearch::~PiercingSearch() { Clear(); }

void PiercingSearch::Clear() {
    FreeTree(f_);
    FreeTree(s_);
    f_ = s_ = nullptr;
    for (ExprNode*& c : c_) {
        FreeTree(c);
        c = nullptr;
    }
}

bool PiercingSearch::Set(const ExprNode* surface, const ExprNode* x, const ExprNode* y, const ExprNode* z,
                         long double tLow, long double tHigh, const PiercingBox& box) {
    Clear();
    scan_.SetInterval(tLow, tHigh);
    box_ = box;
    if (!surface || !x || !y || !z || !(tHigh > tLow) || !std::isfinite(tHigh - tLow)) return false;
    s_ = CloneTree(surface);
    c_[0] = CloneTree(x);
    c_[1] = CloneTree(y);
    c_[2] = CloneTree(z);
    // The curve's trees run in T only, so the order of the three replacements does not matter.
    f_ = CloneSubstitute(s_, nk::X, c_[0]);
    SubstituteKind(f_, nk::Y, c_[1]);
    SubstituteKind(f_, nk::Z, c_[2]);
    return true;
}

bool PiercingSearch::CurvePoint(LetterStore& letters, long double t, long double p[3]) const {
    for (int i = 0; i < 3; ++i)
        if (!EvalAt(letters, c_[i], kLetterT, t, p[i]) || !std::isfinite(p[i])) return false;
    return true;
}

long double PiercingSearch::AngleAt(LetterStore& letters, long double t, const long double p[3]) const {
    // Central differences: the curve's tangent in t and the gradient of S in space.
    const long double dt = std::max((scan_.High() - scan_.Low()) * 1e-7L, 1e-12L);
    long double a[3], b[3], tangent[3], gradient[3];
    if (!CurvePoint(letters, t - dt, a) || !CurvePoint(letters, t + dt, b)) return -1;
    for (int i = 0; i < 3; ++i) tangent[i] = b[i] - a[i];
    const long double h = 1e-6L * (1 + Norm(p));
    for (int i = 0; i < 3; ++i) {
        long double s[2];
        for (int side = 0; side < 2; ++side) {
            for (int j = 0; j < 3; ++j) SetLetter(letters, kLetterX + j, p[j] + (j == i ? (side ? h : -h) : 0));
            if (!EvalNode(letters, s_) || !std::isfinite(s_->value.re)) return -1;
            s[side] = s_->value.re;
        }
        gradient[i] = s[1] - s[0];
    }
    const long double nt = Norm(tangent), ng = Norm(gradient);
    if (!(nt > 0) || !(ng > 0)) return -1;
    const long double sine = std::fabs(tangent[0] * gradient[0] + tangent[1] * gradient[1] + tangent[2] * gradient[2]) / (nt * ng);
    return std::asin(std::min(sine, 1.0L));
}

ScanOutcome PiercingSearch::Next(LetterStore& letters, PiercingPoint& point, const std::function<int()>& pollKey) {
    if (!f_) return ScanOutcome::kNotFound;
    KeptLetters kept(letters);
    ScanTarget target;
    target.f = f_;
    target.letter = kLetterT;
    // A sign change through a pole is no root: F must be small next to the box there.
    long double extent = 1;
    for (int i = 0; i < 3; ++i) extent = std::max(extent, std::fabs(box_.hi[i] - box_.lo[i]));
    target.poleLimit = std::isfinite(extent) ? extent * 1e-3L : 1e-3L;
    long double p[3] = {0, 0, 0};
    target.accept = [&](long double t) { return CurvePoint(letters, t, p) && box_.StrictlyInside(p[0], p[1], p[2]); };
    long double root = 0;
    const ScanOutcome outcome = scan_.Next(letters, target, root, pollKey);
    if (outcome != ScanOutcome::kFound) return outcome;
    point = {root, p[0], p[1], p[2], AngleAt(letters, root, p)};
    return outcome;
}

}  // namespace curvelo
