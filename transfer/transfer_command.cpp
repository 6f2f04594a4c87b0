#include "transfer/transfer_command.h"

#include "toolkit/clipboard.h"
#include "toolkit/gadgets.h"
#include "toolkit/images.h"
#include "transfer/constants.h"
#include "transfer/line_image.h"
#include "transfer/save_status.h"

namespace wexa {

// No step looks at the result of the one before: an empty line still replaces the
// preview with an empty one and leaves the clipboard empty. Only the window's word on the
// file looks at what its write did.
void TransferLine(const ComposedLine& line) {
    DiscardClipboard();
    int width = LineImageWidth(line.Length());
    RenderLineImage(width, line.Text());
    BitmapHandle lineImage = ImageHandleOf(LineImageNumber);
    CreateImageView(PreviewImageNumber, PreviewX, PreviewY, width, LineImageHeight, lineImage);
    const EncodedImage png = EncodeImagePng(LineImageNumber); // one encoding for the file and the clipboard
    const FileWriteOutcome saved = WriteEncodedPng(png, PngOutputPath);
    DrawLineOutlines(line.Text());
    CopyImageToClipboard(LineImageNumber, png);
    ShowSaveStatus(saved); // said in the window, without a dialog to dismiss
}

} // namespace wexa
