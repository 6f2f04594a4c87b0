#pragma once
#include "toolkit/core/handles.h"

#include <cstdint>
#include <string_view>

namespace wexa {

// Flag of CreateTextField: a sunken client edge around the field.
inline constexpr std::uint32_t TextFieldBorder = 0x20000;
// Flag of CreateTextField: the Toolkit draws the text by glyph index, so that no control or
// format character among it is shaped away, laid out as the plain field lays it out. The
// field becomes an owner-drawn static (SS_OWNERDRAW); its text stays its window text.
inline constexpr std::uint32_t TextFieldDrawnByGlyphs = 0x000D;

// Each gadget operation creates a child of the current window under the given number.
// A number that already holds a gadget gets the new control first; the old one is then
// destroyed and its waiting events dropped. Null when the platform refuses the control,
// in which case the number keeps what it had. Rectangles are in 96-DPI units.
ControlHandle CreatePushButton(int number, int x, int y, int width, int height, std::u16string_view label);
ControlHandle CreateTextField(int number, int x, int y, int width, int height, std::u16string_view text,
                              std::uint32_t flags);
// Shows the bitmap unscaled at the view's top-left corner; with a bitmap the view takes
// the bitmap's size in pixels. Without one it keeps width x height and shows nothing.
ControlHandle CreateImageView(int number, int x, int y, int width, int height, BitmapHandle bitmap);

// Sends the font to the gadget, redrawn when it can be seen (a gadget of a window not yet
// shown is drawn with it when the window appears); does nothing when the number is empty.
// A null font makes the control draw with the system font.
void ApplyGadgetFont(int number, FontHandle font);

// The push button under the number gets its face painted by the Toolkit, as the button
// would paint it, with its label drawn by glyph index, from its next paint on (call it before
// the button is first shown); it stays a button in every other way.
void PaintLabelByGlyphs(int number);

// Destroys the gadget under the number, if there is one, with its waiting events.
void FreeGadget(int number);

// What a gadget says about itself: a tooltip where the pointer rests on it, and the name
// that assistive technology reads for it in place of its caption (gadget_names.cpp).

// Gives the gadget a tooltip with the text; a second call replaces the text. The gadgets
// share one tooltip control, made for the window of the first of them; a gadget of another
// window starts a new one in its place. False when the number holds no gadget or the
// platform refuses the tooltip.
bool SetGadgetTooltip(int number, std::u16string_view text);

// Gives the gadget the accessible name. False when the number holds no gadget or the
// platform does not take the name (Wine does not); the gadget is unharmed either way.
bool SetGadgetAccessibleName(int number, std::u16string_view name);

} // namespace wexa
