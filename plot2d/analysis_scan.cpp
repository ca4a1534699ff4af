#include "plot2d/analysis_scan.h"

#include <cmath>
#include <cstdio>

#include "expr/differentiate.h"
#include "expr/eval.h"
#include "expr/math_functions.h"
#include "plot2d/cv2_codec.h"
#include "plot2d/example_kinds.h"

namespace curvelo {
namespace {

bool IsParametrised(std::uint16_t kind) { return kind == kKindPolar || kind == kKindParametric; }

// Evaluates a tree at (x, y) in X and Y, keeping the letters.
bool EvalAtPoint(LetterStore& letters, ExprNode* tree, long double x, long double y, long double& value) {
    const ExtComplex sx = letters.LetterValues[kLetterX], sy = letters.LetterValues[kLetterY];
    SetLetter(letters, kLetterX, x);
    SetLetter(letters, kLetterY, y);
    const bool ok = tree && EvalNode(letters, tree);
    if (ok) value = tree->value.re;
    letters.LetterValues[kLetterX] = sx;
    letters.LetterValues[kLetterY] = sy;
    return ok && std::isfinite(value);
}

int BuildForm(FormulaEngine& engine, const ExampleInventory& inventory, int index, const PlotView& view,
              CurveForm& form) {
    if (index < 0 || index >= inventory.Count()) return kMsgChooseExample;
    if (!HasCurveForm(inventory.Slot(index).example.kind)) return kMsgChooseExample;
    return BuildCurveForm(engine, inventory.Slot(index), view, form) ? 0 : kMsgUndefinedCurve;
}

// The side an intersection scans: a curve given by a parameter, else a segment, else an
// explicit function; the other side gives the equation.
int ScanRank(std::uint16_t kind) {
    return IsParametrised(kind) ? 3 : kind == kKindSegment ? 2 : kind == kKindExplicit ? 1 : 0;
}

}  // namespace

bool HasZeros(std::uint16_t kind) { return kind == kKindExplicit || kind == kKindSegment || kind == kKindLine; }

bool CanIntersect(std::uint16_t kind) { return HasCurveForm(kind) || kind == kKindImplicit; }

int IntersectionRefusal(std::uint16_t first, std::uint16_t second) {
    if (!CanIntersect(first) || !CanIntersect(second)) return kMsgChooseExample;
    // Both would need a parameter of their own; an implicit curve gives no parameter to scan.
    if (IsParametrised(first) && IsParametrised(second)) return kMsgTwoParametric;
    if (first == kKindImplicit || second == kKindImplicit) return kMsgTwoParametric;
    return 0;
}

int AnalysisScan::PrepareZeros(FormulaEngine& engine, const ExampleInventory& inventory, int index,
                               const PlotView& view) {
    tool_ = analysiscmd::kZeros;
    scannedFirst_ = true;
    if (index >= 0 && index < inventory.Count() && !HasZeros(inventory.Slot(index).example.kind))
        return kMsgChooseExample;
    if (int code = BuildForm(engine, inventory, index, view, first_)) return code;
    target_ = ScanTarget{first_.y.get(), first_.dy.get(), first_.letter, view.hh, {}};
    scan_.SetInterval(first_.lo, first_.hi);
    return 0;
}

int AnalysisScan::PrepareExtrema(FormulaEngine& engine, const ExampleInventory& inventory, int index, Quantity q,
                                 const PlotView& view) {
    tool_ = analysiscmd::kExtrema;
    scannedFirst_ = true;
    quantity_ = q;
    if (index >= 0 && index < inventory.Count()) {
        const std::uint16_t kind = inventory.Slot(index).example.kind;
        if (!HasExtrema(kind) || (!HasCurveQuantities(kind) && q != Quantity::kY)) return kMsgChooseExample;
    }
    if (int code = BuildForm(engine, inventory, index, view, first_)) return code;
    // An inflection with a level tangent is no extremum, so only sign changes of q' count.
    target_ = ScanTarget{QuantityDerivative(first_, q), nullptr, first_.letter, view.hh, {}};
    const CurveForm* form = &first_;
    target_.accept = [form, &letters = engine.letters](long double t) {
        long double x = 0, y = 0;
        return CurvePointAt(letters, *form, t, x, y);
    };
    scan_.SetInterval(first_.lo, first_.hi);
    return 0;
}

int AnalysisScan::PrepareIntersections(FormulaEngine& engine, const ExampleInventory& inventory, int first,
                                       int second, const PlotView& view) {
    tool_ = analysiscmd::kIntersections;
    if (first < 0 || second < 0 || first >= inventory.Count() || second >= inventory.Count())
        return kMsgChooseExample;
    if (first == second) return kMsgSameExample;
    const std::uint16_t k1 = inventory.Slot(first).example.kind, k2 = inventory.Slot(second).example.kind;
    if (int code = IntersectionRefusal(k1, k2)) return code;
    if (int code = BuildForm(engine, inventory, first, view, first_)) return code;
    if (int code = BuildForm(engine, inventory, second, view, second_)) return code;
    scannedFirst_ = ScanRank(k1) >= ScanRank(k2);
    const CurveForm& s = scannedFirst_ ? first_ : second_;
    const CurveForm& o = scannedFirst_ ? second_ : first_;
    // H(t) = G(x(t), y(t)): the equation of one curve along the other.
    TreePtr alongX(CloneSubstitute(o.g.get(), nk::X, s.x.get()));
    h_.reset(CloneSubstitute(alongX.get(), nk::Y, s.y.get()));
    dh_.reset(Differentiate(engine, h_.get(), nk::LetterKind(s.letter)));
    if (!h_ || !dh_) return kMsgUndefinedCurve;
    target_ = ScanTarget{h_.get(), dh_.get(), s.letter, view.hh * o.gScale, {}};
    target_.accept = [&s, &o, &letters = engine.letters](long double t) {
        long double x = 0, y = 0;
        return CurvePointAt(letters, s, t, x, y) && EquationHolds(o, x, y);
    };
    scan_.SetInterval(s.lo, s.hi);
    return 0;
}

void AnalysisScan::Complete(LetterStore& letters, AnalysisHit& hit) {
    const CurveForm& s = Scanned();
    CurvePointAt(letters, s, hit.t, hit.x, hit.y);
    if (s.r) EvalInLetter(letters, s.r.get(), s.letter, hit.t, hit.r);
    if (tool_ != analysiscmd::kIntersections) return;
    // The angle between the scanned curve's tangent and the other curve's, whose normal is
    // the gradient of its equation.
    const CurveForm& o = scannedFirst_ ? second_ : first_;
    long double ux = 0, uy = 0, gx = 0, gy = 0;
    if (!EvalInLetter(letters, s.dx.get(), s.letter, hit.t, ux) || !EvalInLetter(letters, s.dy.get(), s.letter, hit.t, uy) ||
        !EvalAtPoint(letters, o.gx.get(), hit.x, hit.y, gx) || !EvalAtPoint(letters, o.gy.get(), hit.x, hit.y, gy)) {
        hit.angle = std::nanl("");
        return;
    }
    const long double vx = -gy, vy = gx;
    hit.angle = std::atan2(std::fabs(ux * vy - uy * vx), std::fabs(ux * vx + uy * vy));
    const long double lu = std::hypot(ux, uy), lv = std::hypot(vx, vy);
    if (lu > 0 && lv > 0) hit.tangent1 = {ux / lu, uy / lu}, hit.tangent2 = {vx / lv, vy / lv};
}

ScanOutcome AnalysisScan::Next(LetterStore& letters, AnalysisHit& hit, const std::function<int()>& pollKey,
                               int maxTries) {
    long double root = 0;
    const ScanOutcome outcome = scan_.Next(letters, target_, root, pollKey, maxTries);
    if (outcome != ScanOutcome::kFound) return outcome;
    hit = AnalysisHit{};
    hit.t = root;
    hit.subinterval = (scan_.Cursor() + kScanSubintervals - 1) % kScanSubintervals;
    Complete(letters, hit);
    return outcome;
}

ScanOutcome AnalysisScan::Round(LetterStore& letters, std::vector<AnalysisHit>& hits,
                                const std::function<int()>& pollKey) {
    scan_.SetCursor(0);
    int remaining = kScanSubintervals, suspicious = 0;
    // Each call examines at least one subinterval, unless the interval is unusable.
    for (int calls = 0; calls < kScanSubintervals && remaining > 0; ++calls) {
        AnalysisHit hit;
        const ScanOutcome outcome = Next(letters, hit, pollKey, remaining);
        if (scan_.LastTries() == 0) break;
        remaining -= scan_.LastTries();
        suspicious += scan_.LastSuspicious();
        if (outcome == ScanOutcome::kStopped) return outcome;
        if (outcome == ScanOutcome::kFound) hits.push_back(hit);
    }
    if (!hits.empty()) return ScanOutcome::kFound;
    return suspicious > kMaxSuspicious ? ScanOutcome::kTooMany : ScanOutcome::kNotFound;
}

std::string HitText(int tool, std::uint16_t kind, const AnalysisHit& hit, const NumberFormat& format, bool degrees) {
    // A root found as -1e-20 reads 0, not -0.
    auto number = [&](long double v) {
        std::string text = format.FormatForField(v);
        if (!text.empty() && text[0] == '-' && text.find_first_not_of("0.", 1) == std::string::npos) text.erase(0, 1);
        return text;
    };
    auto field = [&](const char* name, long double v) { return std::string(name) + " = " + number(v); };
    std::string text = field("x", hit.x);
    if (tool == analysiscmd::kZeros) return text;
    text += "   " + field("y", hit.y);
    if (tool == analysiscmd::kIntersections) {
        if (std::isnan(hit.angle)) return text;
        return text + "   szög = " + number(degrees ? hit.angle * 180 / kPi : hit.angle) +
               (degrees ? "°" : "");
    }
    if (HasCurveQuantities(kind)) text += "   " + field("t", hit.t) + "   " + field("r", hit.r);
    return text;
}

MeasurementResult HitRecord(int tool, const AnalysisHit& hit) {
    return {static_cast<std::uint16_t>(tool), hit.x, hit.y, tool == analysiscmd::kIntersections ? hit.angle : hit.t,
            hit.subinterval};
}

bool IsHitRecord(const MeasurementResult& r) {
    return r.tool == analysiscmd::kZeros || r.tool == analysiscmd::kExtrema || r.tool == analysiscmd::kIntersections;
}

void ArchiveResult(InventorySlot& slot, const MeasurementResult& result) {
    const ResultRecord record = result.Store();
    for (const ResultRecord& r : slot.results)
        if (r == record) return;
    if (slot.results.size() >= kCv2MaxListEntries) slot.results.erase(slot.results.begin());
    slot.results.push_back(record);
}

bool PointCoordinateText(long double v, std::string& out) {
    // Enough digits that the point sits where the hit is; no exponent, which the formula
    // language would read as e.
    char buffer[TExample::kTextCapacity + 1];
    const int n = std::isfinite(v) ? std::snprintf(buffer, sizeof buffer, "%.15Lf", v) : -1;
    if (n <= 0 || n >= static_cast<int>(sizeof buffer)) return false;
    out = buffer;
    return true;
}

int AddHitPoint(ExampleInventory& inventory, FormulaEngine& engine, long double x, long double y) {
    std::string tx, ty;
    if (!PointCoordinateText(x, tx) || !PointCoordinateText(y, ty)) return -1;
    const int index = inventory.Begin(kKindPoint, x, x);
    if (index < 0) return -1;
    TExample& e = inventory.At(index);
    e.texts[0] = tx;
    e.texts[1] = ty;
    inventory.Commit(index, engine);
    return index;
}

}  // namespace curvelo
