#pragma once
// "Übertrag Clipboard": the line as a picture, shown, saved and put on the clipboard.
#include "keyboard/composed_line.h"

namespace wexa {

// Runs the transfer's steps in order, each whether or not the one before succeeded.
void TransferLine(const ComposedLine& line);

} // namespace wexa
