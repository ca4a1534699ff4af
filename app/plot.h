// The application object: creates the launcher frame and hands it the start-up document.
#pragma once

#include <string>

#include "framework/application.h"

namespace curvelo {

class TPlot : public fw::TApplication {
public:
    TPlot(int& argc, char** argv, const std::string& documentName);

protected:
    void InitMainWindow() override;

private:
    std::string documentName_;  // at most 255 characters
};

}  // namespace curvelo
