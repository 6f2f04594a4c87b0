#pragma once
// Typing on the computer's keyboard while the main window is active: typed letters write
// syllables through the same line editing as the keys; the pending letters are shown
// beside the line display until they are resolved.

namespace wexa {

// The field of the pending letters, right of the line display, in 96-DPI units.
inline constexpr int PendingLettersX = 1290;
inline constexpr int PendingLettersY = 613;
inline constexpr int PendingLettersWidth = 50;
inline constexpr int PendingLettersHeight = 24;

void TypeCharacter(char16_t typed);
// Removes a pending letter, or else deletes the line's last character as "ein Zeichen löschen" does.
void PressBackspace();
// Drops the pending letters.
void PressEscape();
// Ends the pending syllable as a non-letter does; before a key's or a command's own action.
void EndTypedSyllable();
// Forgets the pending letters, without touching the line or the window.
void ResetTyping();

} // namespace wexa
