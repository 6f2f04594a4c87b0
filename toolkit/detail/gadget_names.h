#pragma once
#include <windows.h>

namespace wexa::detail {

// Drops the tooltip and the accessible name of a control that is being destroyed.
void ForgetGadgetNames(HWND control);

// Destroys the tooltip control and lets go of the platform's accessibility service;
// before the windows and COM go.
void ReleaseGadgetNames();

} // namespace wexa::detail
