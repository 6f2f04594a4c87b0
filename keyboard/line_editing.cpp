#include "keyboard/line_editing.h"

#include "keyboard/constants.h"
#include "toolkit/clipboard.h"
#include "toolkit/fonts.h"
#include "toolkit/gadgets.h"

namespace wexa {

void AppendToLine(ComposedLine& line, std::u16string_view text) {
    line.Append(text);
    RefreshLineDisplay(line);
}

void DeleteLastCharacter(ComposedLine& line) {
    DiscardClipboard();
    line.DeleteLast();
    RefreshLineDisplay(line);
}

void ClearLine(ComposedLine& line) {
    DiscardClipboard();
    line.Clear();
    RefreshLineDisplay(line);
}

void RefreshLineDisplay(const ComposedLine& line) {
    CreateTextField(LineDisplayNumber, LineDisplayX, LineDisplayY, LineDisplayWidth, LineDisplayHeight, line.Text(),
                    TextFieldBorder);
    ApplyGadgetFont(LineDisplayNumber, FontHandleOf(LineFont));
}

} // namespace wexa
