#pragma once
#include "toolkit/core/handles.h"
#include "toolkit/clipboard_drag/picture.h"

namespace wexa {

// Empties the clipboard; nonzero when it was emptied, 0 when it could not be opened or emptied.
int DiscardClipboard();

// Places the picture on the clipboard in the order of its formats: its PNG bytes under the
// registered format "PNG" (when it has them), its bitmap as a CF_DIB block, then its outlines
// as CF_ENHMETAFILE (when it has them; refused ones leave the other formats as they are). The
// clipboard takes the outlines themselves, and the picture keeps a copy. Null when no CF_DIB was
// placed: the picture has no bitmap, or the clipboard could not be had.
ClipboardDataHandle CopyImageToClipboard(Picture& picture);

} // namespace wexa
