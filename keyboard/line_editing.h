#pragma once
// The edits of the composed line, with undo and redo; each brings the line display up to date.
#include "keyboard/composed_line.h"

#include <string_view>

namespace wexa {

void AppendToLine(ComposedLine& line, std::u16string_view text);
void DeleteLastCharacter(ComposedLine& line);
void ClearLine(ComposedLine& line);
// Take back the line's last change, or do again the last one taken back. They leave the
// clipboard alone: it is emptied by the commands that remove, not by their undoing.
void UndoLineChange(ComposedLine& line);
void RedoLineChange(ComposedLine& line);

// Re-creates the line display under its number with the whole line, in LineFont.
void RefreshLineDisplay(const ComposedLine& line);

} // namespace wexa
