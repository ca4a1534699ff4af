#include "special/switch_dlg.h"

#include <cmath>

#include "framework/kit_services.h"
#include "special/decimal_field.h"
#include "special/guess_problem.h"

namespace curvelo {

using namespace switchid;

void TSwitchDlg::SetupWindow() {
    TDlg::SetupWindow();
    for (int i = 0; i <= kGuessTypes; ++i) CheckItem(kFirstCheck + i, switches_.on[static_cast<std::size_t>(i)] != 0);
    SetItemText(kMinEdit, std::to_string(switches_.minDegree));
    SetItemText(kMaxEdit, std::to_string(switches_.maxDegree));
}

bool TSwitchDlg::CanClose() {
    long double lo = 0, hi = 0;
    const bool read = ParseDecimal(GetItemText(kMinEdit), lo) && ParseDecimal(GetItemText(kMaxEdit), hi) &&
                      lo == std::floor(lo) && hi == std::floor(hi);
    if (!read || lo < kMinDegree || lo > hi || hi > kMaxDegree) {
        ShowMessage(this, 17);  // "túl a határokon"
        return false;
    }
    for (int i = 0; i <= kGuessTypes; ++i) switches_.on[static_cast<std::size_t>(i)] = IsItemChecked(kFirstCheck + i);
    switches_.minDegree = static_cast<std::uint16_t>(lo);
    switches_.maxDegree = static_cast<std::uint16_t>(hi);
    return true;
}

}  // namespace curvelo
