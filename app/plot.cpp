#include "app/plot.h"

#include "app/plot_frame.h"

namespace curvelo {

TPlot::TPlot(int& argc, char** argv, const std::string& documentName)
    : fw::TApplication(argc, argv, "Curvelo"), documentName_(documentName.substr(0, 255)) {}

void TPlot::InitMainWindow() {
    auto* frame = new TPlotFrame(nullptr, "Curvelo", MakeProgramWindows());
    frame->SetPendingDocument(documentName_);
    SetMainWindow(frame);
}

}  // namespace curvelo
