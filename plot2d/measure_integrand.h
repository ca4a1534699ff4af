// The integrands of the measurement tools, built from an example's compiled trees, and the
// evaluation of a tree as an integrand of the six-sum integrator.
#pragma once

#include <cstdint>

#include "expr/engine.h"
#include "expr/tree.h"
#include "plot2d/inventory.h"
#include "plot2d/six_sum_integrator.h"

namespace curvelo {

// The letter an example's formulas run in: X for explicit kinds, T for the others (or the
// parameter letter a parametric example names).
int SampledLetter(const TExample& example);

// Kinds whose function y = f(x) the integration dialog integrates.
bool IsIntegrableFunction(std::uint16_t kind);
// Kinds whose curve has an arc length (explicit, polar, parametric).
bool HasArcLength(std::uint16_t kind);

// Owns a tree made for one computation.
class OwnedTree {
public:
    explicit OwnedTree(ExprNode* tree = nullptr) : tree_(tree) {}
    ~OwnedTree() { FreeTree(tree_); }
    OwnedTree(const OwnedTree&) = delete;
    OwnedTree& operator=(const OwnedTree&) = delete;
    ExprNode* get() const { return tree_; }
    void reset(ExprNode* tree) {
        FreeTree(tree_);
        tree_ = tree;
    }
    explicit operator bool() const { return tree_ != nullptr; }

private:
    ExprNode* tree_;
};

// The speed sqrt(x'^2 + y'^2) of an example's curve in its sampled letter, as the engine's
// two-argument absolute value; null for kinds without an arc length.
ExprNode* BuildSpeedTree(FormulaEngine& engine, const InventorySlot& slot);
// |f| (null when f is).
ExprNode* BuildAbsoluteTree(const ExprNode* f);
// f - g of two explicit examples (either may be null: it counts as 0).
ExprNode* BuildDifferenceTree(const ExprNode* f, const ExprNode* g);

// Evaluates tree with `letter` set to the point; the letter's value is restored when the
// integrand is destroyed. The tree must outlive it.
class TreeIntegrand {
public:
    TreeIntegrand(LetterStore& letters, ExprNode* tree, int letter);
    ~TreeIntegrand();
    TreeIntegrand(const TreeIntegrand&) = delete;
    TreeIntegrand& operator=(const TreeIntegrand&) = delete;

    bool operator()(long double x, long double& y) const;
    Integrand AsIntegrand() const {
        return [this](long double x, long double& y) { return (*this)(x, y); };
    }

private:
    LetterStore& letters_;
    ExprNode* tree_;
    int letter_;
    ExtComplex saved_;
};

}  // namespace curvelo
