// The examples of a plot window: a fixed-capacity array of records with their names and
// compiled trees. The examples occupy slots 0 ... LastIndex() without gaps.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "expr/engine.h"
#include "expr/tree.h"
#include "plot2d/cv2_document.h"
#include "plot2d/example.h"
#include "plot2d/start_points.h"

namespace curvelo {

inline constexpr int kDefaultInventoryCapacity = 36;
inline constexpr int kMaxInventoryCapacity = 1000;
// kExampleNameLength (20) comes with the document model.

struct InventorySlot {
    TExample example;
    std::string name;  // "elnevez", at most 20 characters
    std::array<ExprNode*, TExample::kTexts> trees{};
    // The measurement results archived for the example, as stored (link bytes zero).
    std::vector<std::array<std::uint8_t, kResultSize>> results;
    // The initial-condition list as stored (a sequence keeps its start points there).
    std::vector<Cv2InitialCondition> initialConditions;
    // What a sequence's start points gave when last drawn (not stored).
    std::vector<SequenceRun> sequenceRuns;
};

// The texts a kind compiles (the record numbers them 0..6).
std::vector<int> TextsUsedBy(std::uint16_t kind);

class ExampleInventory {
public:
    explicit ExampleInventory(int capacity = kDefaultInventoryCapacity);
    ~ExampleInventory();
    ExampleInventory(const ExampleInventory&) = delete;
    ExampleInventory& operator=(const ExampleInventory&) = delete;

    int LastIndex() const { return static_cast<int>(slots_.size()) - 1; }
    int Count() const { return static_cast<int>(slots_.size()); }
    int Capacity() const { return capacity_; }
    bool HasRoom() const { return Count() < capacity_; }
    // New capacity; refused (false) when it would not hold the examples there are.
    bool Resize(int capacity);

    InventorySlot& Slot(int index) { return slots_.at(static_cast<std::size_t>(index)); }
    const InventorySlot& Slot(int index) const { return slots_.at(static_cast<std::size_t>(index)); }
    TExample& At(int index) { return Slot(index).example; }

    // Begins a new example in the next slot with the kind's defaults; -1 when full (404).
    int Begin(std::uint16_t kind, long double rangeStart, long double rangeEnd);
    // Confirms the example begun last: it gets its colour copy and confirmation mark, and
    // the creation counter moves on. Returns the compile code (0 when every text compiled).
    std::uint16_t Commit(int index, FormulaEngine& engine);
    // Drops the example begun last without a trace.
    void Abandon(int index);
    void Remove(int index);
    // Appends a copy of an example (texts, name and settings); -1 when full.
    int Duplicate(int index, FormulaEngine& engine);
    void Clear();

    // Compiles every text the kind uses into its tree (derived trees of polar, parametric
    // and periodic examples too). Returns the first error code; a failed text gets a 0 leaf.
    std::uint16_t Compile(int index, FormulaEngine& engine);
    void CompileAll(FormulaEngine& engine);

    unsigned CreationCounter() const { return creationCounter_; }
    void SetCreationCounter(unsigned n) { creationCounter_ = n; }
    // Two terms of a sequence closer than this are the same point: the sequence is periodic.
    long double PeriodTolerance() const { return periodTolerance_; }
    void SetPeriodTolerance(long double t) { periodTolerance_ = t; }
    bool BlackGraphs() const { return blackGraphs_; }
    void SetBlackGraphs(bool on) { blackGraphs_ = on; }
    int Selected() const { return selected_; }
    void Select(int index) { selected_ = index >= -1 && index < Count() ? index : -1; }

    std::vector<std::string> ListLines(std::string_view numberFormat) const;

private:
    static void FreeTrees(InventorySlot& slot);
    std::vector<InventorySlot> slots_;
    int capacity_;
    unsigned creationCounter_ = 0;
    bool blackGraphs_ = false;
    long double periodTolerance_ = kDefaultPeriodTolerance;
    int selected_ = -1;
};

}  // namespace curvelo
