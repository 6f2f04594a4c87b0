#pragma once
// The composed line, the program's only user data, and the field that shows it.
#include <string_view>

namespace wexa {

// The line display's place, in 96-DPI units.
inline constexpr int LineDisplayX = 30;
inline constexpr int LineDisplayY = 600;
inline constexpr int LineDisplayWidth = 1250;
inline constexpr int LineDisplayHeight = 50;

void ResetComposedLine();           // empty, without touching the display
std::u16string_view ComposedLineText();

void AppendToLine(std::u16string_view text);
void DeleteLastCharacter();
void ClearLine();
void RefreshLineDisplay();

} // namespace wexa
