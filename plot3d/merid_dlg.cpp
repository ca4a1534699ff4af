#include "plot3d/merid_dlg.h"

#include "framework/kit_services.h"
#include "plot2d/example.h"
#include "plot3d/space_kinds.h"

namespace curvelo {

TMeridDlg::TMeridDlg(fw::TWindow* parent, FormulaEngine& engine, std::string& radius, std::string& longitude)
    : TDlg(parent, "MERID"), engine_(engine), radius_(radius), longitude_(longitude) {}

void TMeridDlg::SetupWindow() {
    for (int id : {meridid::kRadius, meridid::kLongitude}) SetItemLimit(id, 100);
    SetItemText(meridid::kRadius, radius_);
    SetItemText(meridid::kLongitude, longitude_);
    SetItemFocus(meridid::kRadius);
    TDlg::SetupWindow();
}

bool TMeridDlg::CanClose() {
    const auto texts = MeridianTexts(GetItemText(meridid::kRadius), GetItemText(meridid::kLongitude));
    for (int i = 0; i < 3; ++i) {
        const std::string& text = texts[static_cast<std::size_t>(i)];
        const std::uint16_t code = text.size() > TExample::kTextCapacity ? 17 : engine_.CompileFormula(text);
        if (code == 0) {
            FreeTree(engine_.TakeCompiledTree());
            continue;
        }
        ShowMessage(this, code);
        // The radius is in every text, the longitude only in x and y.
        SetItemFocus(i == 2 ? meridid::kRadius : meridid::kLongitude);
        return false;
    }
    return true;
}

void TMeridDlg::TransferOut() {
    radius_ = GetItemText(meridid::kRadius);
    longitude_ = GetItemText(meridid::kLongitude);
}

}  // namespace curvelo
