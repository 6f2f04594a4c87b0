#pragma once
// Keys typed in a Toolkit window, as events of their own. The platform hands keyboard
// input to the focused control; the Toolkit takes it from the message fetch instead, so
// that every typed key reaches the program whichever gadget has the focus.

namespace wexa {

inline constexpr int CharacterEvent = 13120; // a character was typed; EventCharacter gives it
inline constexpr int EditKeyEvent = 13121;   // an editing key was pressed; EventKey says which

// Values of EventKey: the key, or the platform's usual shortcut for the command.
inline constexpr int BackspaceKey = 8;
inline constexpr int EscapeKey = 27;
inline constexpr int CopyKey = 1; // Ctrl+C or Ctrl+Insert
inline constexpr int UndoKey = 2; // Ctrl+Z
inline constexpr int RedoKey = 3; // Ctrl+Y or Ctrl+Shift+Z

// Of the current event: the typed UTF-16 code unit of a CharacterEvent, the key of an EditKeyEvent.
char16_t EventCharacter();
int EventKey();

} // namespace wexa
