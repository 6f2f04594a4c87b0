#pragma once
#include "toolkit/core/handles.h"
#include "toolkit/clipboard_drag/picture.h"

namespace wexa {

// Empties the clipboard; nonzero when it was emptied, 0 when it could not be opened or emptied.
int DiscardClipboard();

// Places the picture on the clipboard: its PNG bytes under the registered format "PNG" first
// (when it has them), then its image as a CF_DIB block, then its outlines as CF_ENHMETAFILE
// (when it has them; refused ones leave the other formats as they are). Null when no CF_DIB
// was placed: the image is gone, or the clipboard could not be had.
ClipboardDataHandle CopyImageToClipboard(const Picture& picture);

} // namespace wexa
