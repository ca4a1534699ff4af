// The hooks installed by tests through framework/automation.h (internal).
#pragma once

#include "framework/automation.h"

namespace curvelo::fw::detail {

automation::DialogHook& DialogHookSlot();
automation::MessageBoxHook& MessageBoxHookSlot();
automation::FileDialogHook& FileDialogHookSlot();
automation::FontDialogHook& FontDialogHookSlot();

}  // namespace curvelo::fw::detail
