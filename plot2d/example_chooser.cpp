#include "plot2d/example_chooser.h"

namespace curvelo {

std::vector<int> FillExampleChooser(fw::TDialog& dialog, int combo, const ExampleInventory& inventory,
                                    std::string_view numberFormat, const std::function<bool(std::uint16_t)>& suits,
                                    int keep, int wanted, int avoid) {
    std::vector<int> slots;
    dialog.ClearList(combo);
    const std::vector<std::string> lines = inventory.ListLines(numberFormat);
    int choose = -1, rank = 3;
    for (int i = 0; i < inventory.Count(); ++i) {
        if (!suits(inventory.Slot(i).example.kind)) continue;
        const int r = i == avoid ? 3 : i == keep ? 0 : i == wanted ? 1 : 2;
        if (r < rank) rank = r, choose = static_cast<int>(slots.size());
        dialog.AddString(combo, lines[static_cast<std::size_t>(i)]);
        slots.push_back(i);
    }
    dialog.SetSelIndex(combo, choose);
    return slots;
}

int ChosenExample(const fw::TDialog& dialog, int combo, const std::vector<int>& slots) {
    const int k = dialog.HasItem(combo) ? dialog.GetSelIndex(combo) : -1;
    return k >= 0 && k < static_cast<int>(slots.size()) ? slots[static_cast<std::size_t>(k)] : -1;
}

}  // namespace curvelo
