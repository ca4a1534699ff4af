// The 2D plot window that the launcher opens: the top of the 2D chain, with its menu and its
// settings file.
#pragma once

#include <string>

#include "plot2d/plote_win.h"

namespace curvelo {

class TPlot2Win : public TPlotEWin {
public:
    TPlot2Win(fw::TWindow* parent, const std::string& caption);

    // Writes the window kind's settings file ("cv2.ini") before the window goes.
    void Destroy(int retVal = 0) override;

protected:
    // Reads the settings file first, so the window opens where and as it was last time and
    // can reopen the last edited document.
    void SetupWindow() override;

private:
    std::string lastDocument_;  // of the settings file, kept when nothing newer was edited
    bool settingsSaved_ = false;
};

}  // namespace curvelo
