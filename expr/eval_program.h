#pragma once
// A tree flattened into straight-line code for real-mode evaluation. Drawing evaluates the
// same tree hundreds of thousands of times; walking it costs a call, two child tests and
// an 80-bit store per node, while the flat code keeps the running value in a register and
// reads leaves as operands. Arithmetic, integer and general powers and the real functions
// of one argument are flattened; a tree with anything else, complex mode, or any
// evaluation that comes out undefined runs through EvalNode, so the defined flag, the
// value and the jump flag are always exactly what EvalNode gives.
//
// A batch runs the code once per block of samples of one letter, each step over the whole
// block, so the dispatch of a step is paid once per block instead of once per sample.

#include <cstdint>
#include <vector>

#include "expr/letters.h"
#include "expr/tree.h"

namespace curvelo {

class EvalProgram {
public:
    EvalProgram() = default;
    // The tree is not owned and must outlive the program (or the next Reset).
    explicit EvalProgram(ExprNode* tree) { Reset(tree); }
    void Reset(ExprNode* tree);

    // EvalNode(letters, tree): the root's value is left in the root. Only the root's value
    // is kept when the flat code runs; the inner nodes keep what they held.
    bool Run(LetterStore& letters);

    // For each i: SetLetter(letter, xs[i]), JumpFlag cleared, EvalNode on the tree; the
    // root's real part goes to values[i], the defined flag to defined[i] and the jump flag
    // to jumps[i]. Samples that come out undefined or flagged are walked through the tree
    // again, so every result is bit for bit what the tree walk gives (an undefined sample's
    // value is whatever its walk leaves behind). Afterwards the letter,
    // the root and the jump flag hold what the walk of the last sample leaves.
    void RunBatch(LetterStore& letters, int letter, const long double* xs, int count, long double* values,
                  std::uint8_t* defined, std::uint8_t* jumps);

    // Samples per block of a batch.
    static constexpr int kBlock = 64;
    ExprNode* Tree() const { return tree_; }
    // Whether evaluations take the flat code.
    bool IsFlat() const { return flat_; }

private:
    // One operation on the running value: its code, a letter or constant operand, the node
    // kind of a general function, or the exponent of an integer power.
    struct Step {
        std::uint8_t op = 0;
        std::uint8_t letter = 0;
        std::uint16_t kind = 0;
        std::int32_t exponent = 0;
        long double constant = 0.0L;
    };

    bool Emit(const ExprNode* node, int depth);
    bool EmitLeafOperand(const ExprNode* leaf, int arithmetic, bool leafOnRight);
    // Runs the code for n <= kBlock samples; sampled < 0 reads every letter from the store.
    // ok[i] and jump[i] come out as the sample's defined and jump flags.
    void RunBlock(LetterStore& letters, int sampled, const long double* xs, int n, long double* acc,
                  std::uint8_t* ok, std::uint8_t* jump);

    ExprNode* tree_ = nullptr;
    bool flat_ = false;
    std::vector<Step> steps_;
    std::vector<long double> stack_;  // kBlock values per level
};

}  // namespace curvelo
