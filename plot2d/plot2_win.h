// The 2D plot window that the launcher opens: the top of the 2D chain, with its menu and its
// settings file.
#pragma once

#include <string>

#include "plot2d/plote_win.h"

namespace curvelo {

class TPlot2Win : public TPlotEWin {
public:
    TPlot2Win(fw::TWindow* parent, const std::string& caption);

protected:
    std::string SettingsFileName() const override { return "cv2.ini"; }
    std::int32_t SettingsKind() const override { return kSettingsKind2D; }
};

}  // namespace curvelo
