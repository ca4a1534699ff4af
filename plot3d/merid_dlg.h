// The meridian dialog "MERID" ("Délkör"): the sphere's radius and the longitude, both
// formulas; it stays open while the curve they give would not compile.
#pragma once

#include <string>

#include "expr/engine.h"
#include "framework/kit_dlg.h"

namespace curvelo {

namespace meridid {
inline constexpr int kRadius = 211, kLongitude = 212;
}

class TMeridDlg : public TDlg {
public:
    // radius and longitude are shown and, on "ok", replaced by what was typed.
    TMeridDlg(fw::TWindow* parent, FormulaEngine& engine, std::string& radius, std::string& longitude);

protected:
    void SetupWindow() override;
    bool CanClose() override;
    void TransferOut() override;

private:
    FormulaEngine& engine_;
    std::string& radius_;
    std::string& longitude_;
};

}  // namespace curvelo
