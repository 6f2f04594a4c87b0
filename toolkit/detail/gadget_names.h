#pragma once
#include <windows.h>

namespace wexa::detail {

// Drops the tooltip and the accessible name of a control that is being destroyed.
void ForgetGadgetNames(HWND control);

// Hands a mouse message for a control with a tooltip to the tooltip control, before it is
// dispatched: so the tooltip sees the pointer come, stay and go.
void RelayToTooltips(const MSG& message);

// Destroys the tooltip control and lets go of the platform's accessibility service;
// before the windows and COM go.
void ReleaseGadgetNames();

} // namespace wexa::detail
