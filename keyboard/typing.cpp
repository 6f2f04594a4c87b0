#include "keyboard/typing.h"

#include "keyboard/constants.h"
#include "keyboard/line_editing.h"
#include "toolkit/graphics/fonts.h"
#include "toolkit/gadgets/gadgets.h"

namespace wexa {
namespace {

// Rebuilds the field only when the pending letters changed; with none it goes.
void ShowPendingLetters(PendingLetters& pending) {
    std::u16string_view letters = pending.typing.Pending();
    if (letters == pending.shown) return;
    pending.shown = letters;
    if (letters.empty()) {
        FreeGadget(PendingLettersNumber);
        return;
    }
    CreateTextField(PendingLettersNumber, PendingLettersX, PendingLettersY, PendingLettersWidth, PendingLettersHeight,
                    letters, 0);
    ApplyGadgetFont(PendingLettersNumber, FontHandleOf(LabelFont));
}

void Write(ComposedLine& line, const std::u16string& characters) {
    if (!characters.empty()) AppendToLine(line, characters);
}

} // namespace

void TypeCharacter(ComposedLine& line, PendingLetters& pending, char16_t typed) {
    Write(line, pending.typing.Type(typed));
    ShowPendingLetters(pending);
}

void PressBackspace(ComposedLine& line, PendingLetters& pending) {
    if (pending.typing.RemovePendingLetter())
        ShowPendingLetters(pending);
    else
        DeleteLastCharacter(line);
}

void PressEscape(PendingLetters& pending) {
    pending.typing.DropPending();
    ShowPendingLetters(pending);
}

void PressUndo(ComposedLine& line, PendingLetters& pending) {
    if (pending.typing.Pending().empty())
        UndoLineChange(line);
    else
        PressEscape(pending);
}

void EndTypedSyllable(ComposedLine& line, PendingLetters& pending) {
    if (pending.typing.Pending().empty()) return;
    Write(line, pending.typing.Finish());
    ShowPendingLetters(pending);
}

} // namespace wexa
