#pragma once
// Typing on the computer's keyboard while the main window is active: typed letters write
// syllables through the same line editing as the keys; the pending letters are shown
// beside the line display until they are resolved.
#include "keyboard/composed_line.h"
#include "keyboard/transliteration.h"

#include <string>

namespace wexa {

// The letters typed so far, and what the field beside the line display shows of them.
struct PendingLetters {
    SyllableTyping typing;
    std::u16string shown;
};

void TypeCharacter(ComposedLine& line, PendingLetters& pending, char16_t typed);
// Removes a pending letter, or else deletes the line's last character as "ein Zeichen löschen" does.
void PressBackspace(ComposedLine& line, PendingLetters& pending);
// Drops the pending letters.
void PressEscape(PendingLetters& pending);
// Drops the pending letters as Escape does, or else undoes the line's last change: letters
// still pending are no change of the line.
void PressUndo(ComposedLine& line, PendingLetters& pending);
// Ends the pending syllable as a non-letter does; before a key's or a command's own action.
void EndTypedSyllable(ComposedLine& line, PendingLetters& pending);

} // namespace wexa
