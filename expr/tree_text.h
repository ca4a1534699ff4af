// Writes a tree back as formula text that compiles to a tree of the same value: every
// operation in brackets, products with "*", functions by their keyword names. Used where a
// derived formula (a derivative curve) must be kept as text like the user's own.
#pragma once

#include <string>

#include "expr/tree.h"

namespace curvelo {

// False, and out unchanged, when the tree holds a node that has no written form (kinds that
// exist only inside compiled trees) or the text would pass the formula length limit.
bool TreeToText(const ExprNode* tree, std::string& out);

}  // namespace curvelo
