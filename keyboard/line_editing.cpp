#include "keyboard/line_editing.h"

#include "app/font_numbers.h"
#include "keyboard/composed_line.h"
#include "keyboard/gadget_numbers.h"
#include "keyboard/transliteration.h"
#include "keyboard/typing.h"
#include "toolkit/clipboard.h"
#include "toolkit/fonts.h"
#include "toolkit/gadget_names.h"
#include "toolkit/gadgets.h"

namespace wexa {
namespace {

ComposedLine& Line() {
    static ComposedLine line;
    return line;
}

} // namespace

void ResetComposedLine() {
    Line().Clear();
    ResetTyping(); // no letters pending from a window before
}
std::u16string_view ComposedLineText() { return Line().Text(); }

void AppendToLine(std::u16string_view text) {
    Line().Append(text);
    RefreshLineDisplay();
}

void DeleteLastCharacter() {
    DiscardClipboard();
    Line().DeleteLast();
    RefreshLineDisplay();
}

void ClearLine() {
    DiscardClipboard();
    Line().Clear();
    RefreshLineDisplay();
}

void RefreshLineDisplay() {
    CreateTextField(LineDisplayNumber, LineDisplayX, LineDisplayY, LineDisplayWidth, LineDisplayHeight,
                    Line().Text(), TextFieldBorder);
    ApplyGadgetFont(LineDisplayNumber, FontHandleOf(LineFont));
    SetGadgetAccessibleName(LineDisplayNumber, LineSyllables(Line().Text())); // not the font's Latin-1 stand-ins
}

} // namespace wexa
