#pragma once
// "Übertrag Clipboard": the line as a picture, shown, saved and put on the clipboard.
#include "keyboard/composed_line.h"
#include "toolkit/clipboard_drag/picture.h"

namespace wexa {

// Runs the transfer's steps in order, each whether or not the one before succeeded, and
// returns the picture it made, which the preview shows.
SharedPicture TransferLine(const ComposedLine& line);

// Drags the picture the preview shows out of it, as a file too, named as the saved one.
void DragPreviewPicture(const SharedPicture& picture);

} // namespace wexa
