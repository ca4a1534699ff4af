#include "plot2d/inventory.h"

#include "expr/differentiate.h"
#include "expr/letters.h"
#include "expr/node_kinds.h"
#include "plot2d/example_kinds.h"
#include "plot2d/interpolation.h"

namespace curvelo {
namespace {

constexpr std::uint16_t LetterKind(int letter) { return static_cast<std::uint16_t>(64 + letter); }

ExprNode* CompileText(FormulaEngine& engine, const std::string& text, std::uint16_t& firstError) {
    const std::uint16_t code = engine.CompileFormula(text);
    if (code == 0) return engine.TakeCompiledTree();
    if (firstError == 0) firstError = code;
    return NewNumber(0.0L);
}

}  // namespace

std::vector<int> TextsUsedBy(std::uint16_t kind) {
    switch (kind) {
    case kKindExplicit:
    case kKindIndefiniteIntegral: return {1};
    case kKindPolar: return {2};
    case kKindParametric: return {0, 1};
    case kKindImplicit: return {4};
    case kKindSegment: return {0, 1, 2, 3};
    case kKindLine: return {0, 1, 2};
    case kKindSystem: return {0, 1, 3};
    case kKindSlope: return {2};
    case kKindSequence: return {0, 1};
    case kKindPoint: return {0, 1};
    case kKindRollingCircle: return {1};
    default: return {};
    }
}

ExampleInventory::ExampleInventory(int capacity) : capacity_(capacity < 1 ? 1 : capacity) {
    slots_.reserve(static_cast<std::size_t>(capacity_));
}

ExampleInventory::~ExampleInventory() { Clear(); }

bool ExampleInventory::Resize(int capacity) {
    if (capacity < 1 || capacity < Count()) return false;
    capacity_ = capacity;
    return true;
}

int ExampleInventory::Begin(std::uint16_t kind, long double rangeStart, long double rangeEnd) {
    if (!HasRoom()) return -1;
    InventorySlot slot;
    slot.example = NewExample(kind, rangeStart, rangeEnd, DefaultCurveColour(creationCounter_, blackGraphs_));
    slots_.push_back(std::move(slot));
    return LastIndex();
}

std::uint16_t ExampleInventory::Commit(int index, FormulaEngine& engine) {
    TExample& e = At(index);
    ++creationCounter_;
    e.colourCopy = e.penColour;
    // A point sequence keeps its point size in the mark's field.
    if (e.kind != kKindPointSequence) e.confirmMark = 0xFFFF;
    return Compile(index, engine);
}

void ExampleInventory::Abandon(int index) {
    if (index != LastIndex() || index < 0) return;
    FreeTrees(slots_.back());
    slots_.pop_back();
    if (selected_ > LastIndex()) selected_ = LastIndex();
}

void ExampleInventory::Remove(int index) {
    if (index < 0 || index > LastIndex()) return;
    FreeTrees(Slot(index));
    slots_.erase(slots_.begin() + index);
    if (selected_ >= index) selected_ = selected_ > 0 ? selected_ - 1 : (Count() ? 0 : -1);
}

int ExampleInventory::Duplicate(int index, FormulaEngine& engine) {
    if (index < 0 || index > LastIndex() || !HasRoom()) return -1;
    InventorySlot copy;
    copy.example = Slot(index).example;
    copy.name = Slot(index).name;
    copy.initialConditions = Slot(index).initialConditions;
    slots_.push_back(std::move(copy));
    Compile(LastIndex(), engine);
    return LastIndex();
}

void ExampleInventory::Clear() {
    for (InventorySlot& s : slots_) FreeTrees(s);
    slots_.clear();
    selected_ = -1;
}

void ExampleInventory::FreeTrees(InventorySlot& slot) {
    for (ExprNode*& t : slot.trees) {
        FreeTree(t);
        t = nullptr;
    }
}

std::uint16_t ExampleInventory::Compile(int index, FormulaEngine& engine) {
    InventorySlot& slot = Slot(index);
    FreeTrees(slot);
    TExample& e = slot.example;
    std::uint16_t error = 0;
    // An interpolation polynomial's formula is made from its nodes; a point on a curve
    // compiles the curve it copied.
    if (e.kind == kKindExplicit && e.interpolation && e.reserved36[0] > 0) RebuildInterpolation(e);
    const std::uint16_t shape = e.kind == kKindPointOnCurve ? PointOnCurveShape(e) : e.kind;
    for (int text : TextsUsedBy(shape))
        slot.trees[static_cast<std::size_t>(text)] = CompileText(engine, e.texts[static_cast<std::size_t>(text)], error);

    const std::uint16_t t = LetterKind(kLetterT);
    if (e.kind == kKindRollingCircle) {
        slot.trees[4] = Differentiate(engine, slot.trees[1], LetterKind(kLetterX));
    } else if (shape == kKindPolar) {
        ExprNode* theta = NewNode(t);
        auto xy = BuildPolarToCartesian(slot.trees[2], theta);
        FreeTree(theta);
        slot.trees[0] = xy[0];
        slot.trees[1] = xy[1];
    } else if (e.kind == kKindParametric) {
        // The arrow needs the tangent; an explicit parameter letter replaces T.
        const std::uint16_t variable =
            e.reserved32 > 0 && e.reserved32 < 27 ? LetterKind(e.reserved32) : t;
        slot.trees[4] = Differentiate(engine, slot.trees[0], variable);
        slot.trees[5] = Differentiate(engine, slot.trees[1], variable);
    } else if (e.kind == kKindExplicit && e.periodic) {
        ExprNode* wrapped = NewNode(nk::PERIODIC);
        wrapped->childA = NewNumber(e.extra311[TExample::kPeriodStart]);
        wrapped->childB = slot.trees[1];
        wrapped->childC = NewNumber(e.extra311[TExample::kPeriodLength]);
        slot.trees[1] = wrapped;
    }
    return error;
}

void ExampleInventory::CompileAll(FormulaEngine& engine) {
    for (int i = 0; i < Count(); ++i) Compile(i, engine);
}

std::vector<std::string> ExampleInventory::ListLines(std::string_view numberFormat) const {
    std::vector<std::string> lines;
    lines.reserve(slots_.size());
    for (const InventorySlot& s : slots_) lines.push_back(InventoryLine(s.example, s.name, numberFormat));
    return lines;
}

}  // namespace curvelo
