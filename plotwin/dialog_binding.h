// Moves the field values of the view, grid, axis-title and print dialogs in and out of the
// dialog controls, so that the windows only open the dialogs and call the Apply functions.
#pragma once

#include <array>
#include <string>

#include "framework/dialog.h"
#include "plotwin/frame_commands.h"
#include "plotwin/print_layout.h"
#include "plotwin/view_commands.h"

namespace curvelo {

void WriteViewDialog(fw::TDialog& d, const ViewDialogFields& f);
ViewDialogFields ReadViewDialog(const fw::TDialog& d);

void WriteGridDialog(fw::TDialog& d, const GridDialogFields& f);
GridDialogFields ReadGridDialog(const fw::TDialog& d);

void WriteAxisTitlesDialog(fw::TDialog& d, const std::array<std::string, 3>& titles);
std::array<std::string, 3> ReadAxisTitlesDialog(const fw::TDialog& d);

void WritePrintSetupDialog(fw::TDialog& d, const PrintSetupFields& f);
PrintSetupFields ReadPrintSetupDialog(const fw::TDialog& d);

}  // namespace curvelo
