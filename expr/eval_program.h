#pragma once
// A tree flattened into straight-line code for real-mode evaluation. Drawing evaluates the
// same tree hundreds of thousands of times; walking it costs a call, two child tests and
// an 80-bit store per node, while the flat code keeps the running value in a register and
// reads leaves as operands. Arithmetic, integer and general powers and the real functions
// of one argument are flattened; a tree with anything else, complex mode, or any
// evaluation that comes out undefined runs through EvalNode, so the defined flag, the
// value and the jump flag are always exactly what EvalNode gives.
//
// A batch regroups the code into passes over a block of samples of one letter: each pass
// applies up to three cheap steps (or one costly one) to the whole block, so values stay in
// registers within a pass and dispatch is paid once per block. Anything that would leave
// the fast path (a magnitude check, a domain, a jump) only marks the block; a marked block
// is evaluated sample by sample through Run.

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
    // to jumps[i]. A block holding a sample that comes out undefined or flagged is evaluated
    // again sample by sample, so every result is bit for bit what the tree walk gives (an
    // undefined sample's value is whatever its walk leaves behind). Afterwards the letter,
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

    // One pass of a batch: `ops` applied in turn to the values of lane `source`, the
    // results going to lane `target`. Lanes: 0 the sampled letter, 1 the output, 2.. the
    // stack levels, then the scalars (constants and the other letters).
    struct Pass {
        std::uint8_t ops[3] = {};
        std::int16_t operands[3] = {};
        std::int16_t source = 0;
        std::int16_t target = 0;
        std::int32_t exponent = 0;
        std::uint16_t kind = 0;
    };

    bool Emit(const ExprNode* node, int depth);
    bool EmitLeafOperand(const ExprNode* leaf, int arithmetic, bool leafOnRight);
    // Regroups the steps into passes with `letter` as the sampled one.
    void Plan(int letter);
    // Runs the passes over n <= kBlock samples into out; false when a sample left the fast
    // path (its results are then not to be used).
    bool RunPasses(LetterStore& letters, const long double* xs, long double* out, int n);

    ExprNode* tree_ = nullptr;
    bool flat_ = false;
    std::vector<Step> steps_;
    std::vector<long double> stack_;  // one value per level, for Run
    int plannedLetter_ = -1;
    std::vector<Pass> passes_;
    std::vector<long double> levels_;        // kBlock values per stack level
    std::vector<long double> scalars_;       // operands that are the same for every sample
    std::vector<std::uint8_t> scalarLetters_;  // the letter a scalar is read from, or kNoLetter
    static constexpr std::uint8_t kNoLetter = 0xFF;
};

}  // namespace curvelo
