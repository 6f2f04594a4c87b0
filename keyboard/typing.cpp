#include "keyboard/typing.h"

#include "app/font_numbers.h"
#include "keyboard/gadget_numbers.h"
#include "keyboard/line_editing.h"
#include "keyboard/transliteration.h"
#include "toolkit/fonts.h"
#include "toolkit/gadgets.h"

#include <string>

namespace wexa {
namespace {

SyllableTyping& Typing() {
    static SyllableTyping typing;
    return typing;
}

// The pending letters as shown, so that the field is only rebuilt when they change.
std::u16string& Shown() {
    static std::u16string shown;
    return shown;
}

void ShowPendingLetters() {
    std::u16string_view pending = Typing().Pending();
    if (pending == Shown())
        return;
    Shown() = pending;
    if (pending.empty()) {
        FreeGadget(PendingLettersNumber);
        return;
    }
    CreateTextField(PendingLettersNumber, PendingLettersX, PendingLettersY, PendingLettersWidth, PendingLettersHeight,
                    pending, 0);
    ApplyGadgetFont(PendingLettersNumber, FontHandleOf(LabelFont));
}

void Write(const std::u16string& characters) {
    if (!characters.empty())
        AppendToLine(characters);
}

} // namespace

void TypeCharacter(char16_t typed) {
    Write(Typing().Type(typed));
    ShowPendingLetters();
}

void PressBackspace() {
    if (Typing().RemovePendingLetter())
        ShowPendingLetters();
    else
        DeleteLastCharacter();
}

void PressEscape() {
    Typing().DropPending();
    ShowPendingLetters();
}

void EndTypedSyllable() {
    if (Typing().Pending().empty())
        return;
    Write(Typing().Finish());
    ShowPendingLetters();
}

void ResetTyping() {
    Typing().DropPending();
    Shown().clear();
}

} // namespace wexa
