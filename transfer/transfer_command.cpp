#include "transfer/transfer_command.h"

#include "toolkit/clipboard_drag/clipboard.h"
#include "toolkit/gadgets/gadgets.h"
#include "toolkit/graphics/images.h"
#include "transfer/constants.h"
#include "transfer/line_image.h"
#include "transfer/save_status.h"

namespace wexa {

// No step looks at the result of the one before: an empty line still replaces the
// preview with an empty one and leaves the clipboard empty. Only the window's word on the
// file looks at what its write did.
SharedPicture TransferLine(const ComposedLine& line) {
    DiscardClipboard();
    int width = LineImageWidth(line.Length());
    RenderLineImage(width, line.Text());
    BitmapHandle lineImage = ImageHandleOf(LineImageNumber);
    CreateImageView(PreviewImageNumber, PreviewX, PreviewY, width, LineImageHeight, lineImage);
    Picture made = PictureOfImage(LineImageNumber); // one encoding for the file and the rest
    const FileWriteOutcome saved = WriteEncodedPng(made.png, PngOutputPath);
    made.outlines = DrawLineOutlines(line.Text());
    CopyImageToClipboard(made);
    ShowSaveStatus(saved); // said in the window, without a dialog to dismiss
    return std::make_shared<const Picture>(std::move(made));
}

void DragPreviewPicture(const SharedPicture& picture) { DragPicture(picture, PreviewImageNumber, PngFileName); }

} // namespace wexa
