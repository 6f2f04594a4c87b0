#include "keyboard/line_editing.h"

#include "keyboard/constants.h"
#include "keyboard/transliteration.h"
#include "toolkit/clipboard_drag/clipboard.h"
#include "toolkit/graphics/fonts.h"
#include "toolkit/gadgets/gadgets.h"

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

void UndoLineChange(ComposedLine& line) {
    if (line.Undo()) RefreshLineDisplay(line);
}

void RedoLineChange(ComposedLine& line) {
    if (line.Redo()) RefreshLineDisplay(line);
}

void RefreshLineDisplay(const ComposedLine& line) {
    CreateTextField(LineDisplayNumber, LineDisplayX, LineDisplayY, LineDisplayWidth, LineDisplayHeight, line.Text(),
                    TextFieldBorder | TextFieldDrawnByGlyphs);
    ApplyGadgetFont(LineDisplayNumber, FontHandleOf(LineFont));
    SetGadgetAccessibleName(LineDisplayNumber, LineSyllables(line.Text())); // not the font's Latin-1 stand-ins
}

} // namespace wexa
