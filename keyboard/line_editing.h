#pragma once
// The four edits of the composed line; each brings the line display up to date.
#include "keyboard/composed_line.h"

#include <string_view>

namespace wexa {

void AppendToLine(ComposedLine& line, std::u16string_view text);
void DeleteLastCharacter(ComposedLine& line);
void ClearLine(ComposedLine& line);

// Re-creates the line display under its number with the whole line, in LineFont.
void RefreshLineDisplay(const ComposedLine& line);

} // namespace wexa
