// A dialog's combo box of the examples a tool takes: their inventory lines, with the
// inventory slot behind each line.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "framework/dialog.h"
#include "plot2d/inventory.h"

namespace curvelo {

// Fills the combo with the examples that suit and chooses `keep`, else `wanted`, else the
// first one; never `avoid` (-1: none). Returns the slot of each line.
std::vector<int> FillExampleChooser(fw::TDialog& dialog, int combo, const ExampleInventory& inventory,
                                    std::string_view numberFormat, const std::function<bool(std::uint16_t)>& suits,
                                    int keep, int wanted, int avoid = -1);

// The slot of the combo's chosen line, or -1.
int ChosenExample(const fw::TDialog& dialog, int combo, const std::vector<int>& slots);

}  // namespace curvelo
