#pragma once
#include "toolkit/handles.h"

namespace wexa {

// Empties the clipboard; nonzero when it was emptied, 0 when it could not be opened or emptied.
int DiscardClipboard();

// Places the image on the clipboard: its PNG bytes under the registered format "PNG" first
// (when they can be made), then a CF_DIB block. Null when no CF_DIB was placed.
ClipboardDataHandle CopyImageToClipboard(int imageNumber);
struct EncodedImage;
// The same with the image's PNG bytes already made (EncodeImagePng), as a transfer has them.
// The image's vector picture (DrawImageOutlines), if it has one, is placed last as
// CF_ENHMETAFILE; one that is refused leaves the other formats as they are.
ClipboardDataHandle CopyImageToClipboard(int imageNumber, const EncodedImage& png);

} // namespace wexa
