#pragma once
// What the Toolkit's other groups use of the gadgets group, beside its public headers.
#include "toolkit/graphics/inside_toolkit.h"

#include <windows.h>

#include <commctrl.h>

namespace wexa::detail {

// The window that gadgets are made in from now on, and its number, which their events carry.
void SetGadgetParent(HWND window, int number);

// The gadget number of a Toolkit control, or -1 for any other window.
int GadgetNumberOf(HWND control);
// Queues a GadgetEvent of that type for a Toolkit control; nothing for any other window.
void QueueGadgetEvent(HWND control, int type);
// The control under the gadget number, or null.
HWND ControlOf(int number);

// The controls whose text the Toolkit draws by glyph index, in place of their own drawing.
// Paints a glyph key's whole face for its custom-draw notification, as the push button
// would paint it, and returns what the button is to do next; nothing for other buttons.
bool IsPaintedByGlyphs(HWND control);
LRESULT PaintGlyphButton(const NMCUSTOMDRAW& draw);
// Draws an owner-drawn text field: its background, and its text laid out as a
// left-aligned static lays it out.
void DrawGlyphTextField(const DRAWITEMSTRUCT& item);

// Drops the tooltip and the accessible name of a control that is being destroyed.
void ForgetGadgetNames(HWND control);
// Hands a mouse message for a control with a tooltip to the tooltip control, before it is
// dispatched: so the tooltip sees the pointer come, stay and go.
void RelayToTooltips(const MSG& message);
// Destroys the tooltip control and lets go of the platform's accessibility service;
// before the windows and COM go.
void ReleaseGadgetNames();

// At start: the system's message font, and the default gadget font made from it.
void MakeDefaultGadgetFont();
// At a new layout density, after the layout fonts: the default gadget font made anew, then
// every gadget moved to its place and sent the successor of its font.
void RescaleGadgets(int dpi, FontSuccession& succession, std::vector<win32::UniqueFont>& retired);
// After the windows, and so the gadgets, are gone: the table and the fonts as before start.
void ReleaseGadgets();

} // namespace wexa::detail
