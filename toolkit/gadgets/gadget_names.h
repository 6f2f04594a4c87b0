#pragma once
// What a gadget says about itself: a tooltip where the pointer rests on it, and the name
// that assistive technology reads for it in place of its caption.
#include <string_view>

namespace wexa {

// Gives the gadget a tooltip with the text; a second call replaces the text. The gadgets
// share one tooltip control, made for the window of the first of them; a gadget of another
// window starts a new one in its place. False when the number holds no gadget or the
// platform refuses the tooltip.
bool SetGadgetTooltip(int number, std::u16string_view text);

// Gives the gadget the accessible name. False when the number holds no gadget or the
// platform does not take the name (Wine does not); the gadget is unharmed either way.
bool SetGadgetAccessibleName(int number, std::u16string_view name);

} // namespace wexa
