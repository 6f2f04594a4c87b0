#pragma once
// Keys typed in a Toolkit window, as events of their own. The platform hands keyboard
// input to the focused control; the Toolkit takes it from the message fetch instead, so
// that every typed key reaches the program whichever gadget has the focus.

namespace wexa {

inline constexpr int CharacterEvent = 13120; // a character was typed; EventCharacter gives it
inline constexpr int EditKeyEvent = 13121;   // Backspace or Escape was pressed; EventKey says which

// Values of EventKey.
inline constexpr int BackspaceKey = 8;
inline constexpr int EscapeKey = 27;

// Of the current event: the typed UTF-16 code unit of a CharacterEvent, the key of an EditKeyEvent.
char16_t EventCharacter();
int EventKey();

} // namespace wexa
