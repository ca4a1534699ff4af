#include "plot3d/space_kinds.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "expr/differentiate.h"
#include "expr/eval.h"
#include "expr/letters.h"
#include "expr/node_kinds.h"
#include "plot2d/example_kinds.h"
#include "plot2d/object_geometry.h"
#include "plot3d/space_solutions.h"
#include "plot3d/surface_mesh.h"
#include "plot3d/surface_trees.h"

namespace curvelo {
namespace {

constexpr long double kPi = 3.14159265358979323846L;
// Curves are boxed from this many steps of t.
constexpr int kBoxSteps = 100;
// Half the edge of a point's box.
constexpr long double kPointBoxHalf = 0.25L;

const std::array<SpaceKindInfo, 6>& SpaceKinds() {
    static const std::array<SpaceKindInfo, 6> kinds = {{
        {304, spacecmd::kCurve, "EQUA304", {"cos(7t)", "sin(7t)", "t", "", "", "", ""}, 0.0L, 2 * kPi},
        {308, spacecmd::kSegment, "EQUA308", {"2.54", "1.732", "2.718", "1.618", "", "3.142", "0.577"}, 0.0L, 1.0L},
        {309, spacecmd::kPointCartesian, "EQUA309", {"1", "1", "1", "", "", "", ""}, 0.0L, 1.0L},
        {310, spacecmd::kSystem, "EQUA310", {"10y-10x", "28x-y-xz", "xy-8z/3", "", "", "", ""}, 0.0L, 1.0L},
        {312, spacecmd::kSequence, "EQUA312", {"0.96x-0.28y", "0.28x+0.96y", "z+0.01", "", "", "", ""}, 0.0L, 1.0L},
        {318, spacecmd::kPointSequence, "EQUA318", {"", "", "", "0 0 0  1 1 1  2 4 8", "", "", ""}, 0.0L, 1.0L},
    }};
    return kinds;
}

ExprNode* CompileText(FormulaEngine& engine, const std::string& text, std::uint16_t& firstError) {
    const std::uint16_t code = engine.CompileFormula(text);
    if (code == 0) return engine.TakeCompiledTree();
    if (firstError == 0) firstError = code;
    return NewNumber(0.0L);
}

void SetTree(InventorySlot& slot, int i, ExprNode* tree) {
    FreeTree(slot.trees[static_cast<std::size_t>(i)]);
    slot.trees[static_cast<std::size_t>(i)] = tree;
}

// Keeps T, X, Y, Z for the box computations.
class KeptTXYZ {
public:
    explicit KeptTXYZ(LetterStore& l) : l_(l), t_(GetLetter(l, kLetterT)) {}
    ~KeptTXYZ() { SetLetter(l_, kLetterT, t_); }
    KeptTXYZ(const KeptTXYZ&) = delete;
    KeptTXYZ& operator=(const KeptTXYZ&) = delete;

private:
    LetterStore& l_;
    long double t_;
};

struct BoxBuilder {
    std::array<long double, 3> lo{}, hi{};
    bool any = false;
    void Add(long double x, long double y, long double z) {
        const long double p[3] = {x, y, z};
        for (std::size_t i = 0; i < 3; ++i) {
            if (!std::isfinite(p[i])) return;
        }
        for (std::size_t i = 0; i < 3; ++i) {
            lo[i] = any ? std::min(lo[i], p[i]) : p[i];
            hi[i] = any ? std::max(hi[i], p[i]) : p[i];
        }
        any = true;
    }
};

}  // namespace

bool IsSpaceKind(std::uint16_t kind) { return FindSpaceKind(kind) != nullptr; }

const SpaceKindInfo* FindSpaceKind(std::uint16_t kind) {
    for (const auto& k : SpaceKinds())
        if (k.kind == kind) return &k;
    return nullptr;
}

std::uint16_t SpaceKindOfCommand(int command, PointCoordinates& coordinates) {
    coordinates = PointCoordinates::kCartesian;
    switch (command) {
    case spacecmd::kPointCylindrical: coordinates = PointCoordinates::kCylindrical; return kKindSpacePoint;
    case spacecmd::kPointSpherical: coordinates = PointCoordinates::kSpherical; return kKindSpacePoint;
    default: break;
    }
    for (const auto& k : SpaceKinds())
        if (k.command == command) return k.kind;
    return 0;
}

TExample NewSpaceExample(std::uint16_t kind, std::uint16_t penColour, PointCoordinates coordinates) {
    const SpaceKindInfo* info = FindSpaceKind(kind);
    TExample e = NewExample(kind, info ? info->low : 0.0L, info ? info->high : 1.0L, penColour);
    if (!info) return e;
    for (std::size_t i = 0; i < e.texts.size(); ++i) e.texts[i] = info->texts[i];
    e.ints117 = {static_cast<std::uint16_t>(kind == kKindSpaceSegment ? 100 : kDefaultCurveSamples), 1};
    e.arrowSize = 10;
    e.extra311[TExample::kArrowT] = (info->low + info->high) / 2;
    e.value291 = 3;  // point size
    e.flags52 = {1, 1, 1};
    if (kind == kKindSpacePoint) {
        e.reserved32 = static_cast<std::uint16_t>(coordinates);
        // (1, 0, pi/2) in the angle systems: a point on the unit circle.
        if (coordinates == PointCoordinates::kCylindrical) e.texts = {"1", "0.7854", "0.5", "", "", "", ""};
        if (coordinates == PointCoordinates::kSpherical) e.texts = {"1", "0.7854", "1.0472", "", "", "", ""};
    }
    if (kind == kKindSpaceSystem) e.penColour = penColour;
    if (kind == kKindSpaceSequence) e.flag60 = 0;
    return e;
}

int BeginSpaceExample(ExampleInventory& inventory, std::uint16_t kind, PointCoordinates coordinates) {
    if (!IsSpaceKind(kind)) return -1;
    const int i = inventory.Begin(kind, 0.0L, 1.0L);
    if (i < 0) return -1;
    inventory.At(i) = NewSpaceExample(kind, inventory.At(i).penColour, coordinates);
    return i;
}

bool PointToCartesian(PointCoordinates system, const long double in[3], long double out[3]) {
    switch (system) {
    case PointCoordinates::kCylindrical:
        if (!(std::fabs(in[1]) <= 5e18L)) return false;
        out[0] = in[0] * std::cos(in[1]);
        out[1] = in[0] * std::sin(in[1]);
        out[2] = in[2];
        break;
    case PointCoordinates::kSpherical:
        if (!(std::fabs(in[1]) <= 5e18L) || !(std::fabs(in[2]) <= 5e18L)) return false;
        out[0] = in[0] * std::sin(in[2]) * std::cos(in[1]);
        out[1] = in[0] * std::sin(in[2]) * std::sin(in[1]);
        out[2] = in[0] * std::cos(in[2]);
        break;
    case PointCoordinates::kCartesian:
        for (int i = 0; i < 3; ++i) out[i] = in[i];
        break;
    }
    return std::isfinite(out[0]) && std::isfinite(out[1]) && std::isfinite(out[2]);
}

std::uint16_t CompileSpaceExample(InventorySlot& slot, FormulaEngine& engine) {
    TExample& e = slot.example;
    if (!IsSpaceKind(e.kind)) return CompileSurface(slot, engine);
    std::uint16_t error = 0;
    auto text = [&](int i) { return e.texts[static_cast<std::size_t>(i)]; };
    switch (e.kind) {
    case kKindSpaceSegment: {
        // The segment is the curve (1-t)(a)+t(p) and so on, built as text.
        const int ends[3][2] = {{0, 3}, {1, 5}, {2, 6}};
        for (int i = 0; i < 3; ++i) {
            const std::string formula = "(1-t)(" + text(ends[i][0]) + ")+t(" + text(ends[i][1]) + ")";
            SetTree(slot, i, CompileText(engine, formula, error));
        }
        break;
    }
    case kKindSpaceCurve:
        for (int i = 0; i < 3; ++i) SetTree(slot, i, CompileText(engine, text(i), error));
        // The arrow needs the tangent.
        for (int i = 0; i < 3; ++i) {
            ExprNode* d = Differentiate(engine, slot.trees[static_cast<std::size_t>(i)], nk::T);
            SetTree(slot, 4 + i, d ? d : NewNumber(0.0L));
        }
        break;
    case kKindSpacePoint:
    case kKindSpaceSequence:
        for (int i = 0; i < 3; ++i) SetTree(slot, i, CompileText(engine, text(i), error));
        break;
    case kKindSpaceSystem:
        for (int i = 0; i < 3; ++i) SetTree(slot, i, CompileText(engine, text(i), error));
        if (!text(3).empty()) SetTree(slot, 3, CompileText(engine, text(3), error));
        break;
    default: break;
    }
    return error;
}

bool EvalCurvePoint(InventorySlot& slot, LetterStore& letters, long double t, long double out[3]) {
    SetLetter(letters, kLetterT, t);
    for (int i = 0; i < 3; ++i)
        if (!EvalReal(letters, slot.trees[static_cast<std::size_t>(i)], out[i])) return false;
    return true;
}

bool EvalSpacePoint(InventorySlot& slot, LetterStore& letters, long double out[3]) {
    long double in[3];
    for (int i = 0; i < 3; ++i)
        if (!EvalReal(letters, slot.trees[static_cast<std::size_t>(i)], in[i])) return false;
    return PointToCartesian(space::Coordinates(slot.example), in, out);
}

bool ComputeSpaceBox(InventorySlot& slot, FormulaEngine& engine) {
    TExample& e = slot.example;
    if (!IsSpaceKind(e.kind)) return false;
    if (e.flags52[2] == 0) return true;  // a box the user fixed stays
    LetterStore& letters = engine.letters;
    KeptTXYZ keep(letters);
    BoxBuilder box;
    bool isPoint = false;
    switch (e.kind) {
    case kKindSpaceCurve:
    case kKindSpaceSegment: {
        const int steps = e.kind == kKindSpaceCurve ? kBoxSteps : 1;
        for (int k = 0; k <= steps; ++k) {
            long double p[3];
            const long double t = k == steps ? e.high : e.low + k * ((e.high - e.low) / steps);
            if (EvalCurvePoint(slot, letters, t, p)) box.Add(p[0], p[1], p[2]);
        }
        break;
    }
    case kKindSpacePoint: {
        long double p[3];
        if (EvalSpacePoint(slot, letters, p)) box.Add(p[0], p[1], p[2]);
        isPoint = true;
        break;
    }
    case kKindSpaceSystem:
        for (const Cv2InitialCondition& c : slot.initialConditions)
            for (const SpaceSample& s : SystemTrajectory(engine, slot, TInitialCondition::Load(c))) box.Add(s.x, s.y, s.z);
        break;
    case kKindSpaceSequence:
        for (const Cv2InitialCondition& c : slot.initialConditions) {
            SpaceStartPoint s = ReadSpaceStartPoint(c);
            UpdateSpaceStartPoint(engine, c, s);
            for (const SpaceSample& t : SequenceTerms(engine, slot, s, kDefaultPeriodTolerance)) box.Add(t.x, t.y, t.z);
        }
        break;
    case kKindSpacePointSequence: {
        long double numbers[kMaxPointOnCurveNumbers];
        const int n = ParsePointOnCurveNumbers(e.texts[3], numbers);
        for (int i = 0; i + 2 < n; i += 3) box.Add(numbers[i], numbers[i + 1], numbers[i + 2]);
        isPoint = true;
        break;
    }
    default: break;
    }
    if (!box.any) return true;
    if (isPoint) {
        for (std::size_t i = 0; i < 3; ++i) {
            box.lo[i] -= kPointBoxHalf;
            box.hi[i] += kPointBoxHalf;
        }
        // The point's box is exact: a quarter on each side.
        e.values161 = box.lo;
        e.values191 = box.hi;
        return true;
    }
    TidyBox(box.lo, box.hi);
    e.values161 = box.lo;
    e.values191 = box.hi;
    return true;
}

std::array<std::string, 3> MeridianTexts(const std::string& radius, const std::string& longitude) {
    return {"(" + radius + ")sin(t)cos(" + longitude + ")", "(" + radius + ")sin(t)sin(" + longitude + ")",
            "(" + radius + ")cos(t)"};
}

}  // namespace curvelo
