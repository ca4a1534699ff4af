#include "special/map_dlg.h"

#include "framework/kit_services.h"
#include "plot2d/example.h"
#include "plotwin/number_format.h"
#include "special/decimal_field.h"

namespace curvelo {

using namespace mapid;

void TMapFnDlg::SetupWindow() {
    TDlg::SetupWindow();
    for (int id : {kFirst, kSecond}) SetItemLimit(id, static_cast<int>(TExample::kTextCapacity));
    SetItemText(kFirst, map_.Formulas()[0]);
    SetItemText(kSecond, map_.Formulas()[1]);
    if (map_.ComplexPlane()) {
        SetItemText(kFirstLabel, "F(z) =");
        ShowItem(kSecondLabel, false);
        ShowItem(kSecond, false);
    }
}

bool TMapFnDlg::CanClose() {
    if (std::uint16_t code = map_.SetFormulas({GetItemText(kFirst), GetItemText(kSecond)})) {
        ShowMessage(this, code);
        return false;
    }
    return true;
}

void TMapGridDlg::SetupWindow() {
    TDlg::SetupWindow();
    const NumberFormat format;
    SetItemText(kSpacing, format.FormatForField(grid_.spacing));
    SetItemText(kXMin, format.FormatForField(grid_.xmin));
    SetItemText(kXMax, format.FormatForField(grid_.xmax));
    SetItemText(kYMin, format.FormatForField(grid_.ymin));
    SetItemText(kYMax, format.FormatForField(grid_.ymax));
}

bool TMapGridDlg::CanClose() {
    MapGrid g;
    const bool read = ParseDecimal(GetItemText(kSpacing), g.spacing) && ParseDecimal(GetItemText(kXMin), g.xmin) &&
                      ParseDecimal(GetItemText(kXMax), g.xmax) && ParseDecimal(GetItemText(kYMin), g.ymin) &&
                      ParseDecimal(GetItemText(kYMax), g.ymax);
    if (!read || !g.Valid()) {
        ShowMessage(this, 17);  // "túl a határokon": also too many lines for the extent
        return false;
    }
    grid_ = g;
    return true;
}

}  // namespace curvelo
