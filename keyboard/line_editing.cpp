#include "keyboard/line_editing.h"

#include "app/font_numbers.h"
#include "keyboard/composed_line.h"
#include "keyboard/gadget_numbers.h"
#include "toolkit/clipboard.h"
#include "toolkit/fonts.h"
#include "toolkit/gadgets.h"

namespace wexa {
namespace {

ComposedLine& Line() {
    static ComposedLine line;
    return line;
}

} // namespace

void ResetComposedLine() { Line().Clear(); }
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
}

} // namespace wexa
