#pragma once
#include "toolkit/handles.h"

namespace wexa {

// Empties the clipboard; nonzero when it was emptied, 0 when it could not be opened.
int DiscardClipboard();

// Places the image on the clipboard as one CF_DIB block. Null when nothing was placed.
ClipboardDataHandle CopyImageToClipboard(int imageNumber);

} // namespace wexa
