#pragma once
// A picture as the program hands it to other programs: made once, then shared as it is by the
// program, the clipboard step and every drag, which offer the same formats in the same order.
#include "toolkit/graphics/images.h"

#include <memory>

namespace wexa {

// An enhanced metafile, deleted with its owner.
struct MetafileRelease {
    void operator()(void* metafile) const;
};
using VectorPicture = std::unique_ptr<void, MetafileRelease>;

// Draws the text as DrawTextAt draws it at (x, y) in the font (the system font when null),
// as filled glyph outlines on a white box of the image's size: a vector picture which needs
// no font where it is shown. None when it cannot be made. Needs no drawing begun.
VectorPicture DrawImageOutlines(int number, FontHandle font, int x, int y, std::u16string_view text);

// Everything a picture offers is made from what it owns or shares, never from an image number
// that a later transfer gives another image.
struct Picture {
    EncodedImage png;       // its PNG file's bytes, offered as "PNG" and as the file wexazeile.png
    SharedBitmap pixels;    // the image's bitmap, packed for CF_DIB each time one is asked for
    VectorPicture outlines; // its filled glyph outlines (CF_ENHMETAFILE), or none
};
// Unchanging once made; it lives until the last of the program, a drag's data object and a drop
// target that keeps one lets it go.
using SharedPicture = std::shared_ptr<const Picture>;

// The image's picture as it is now: its PNG encoding and its bitmap, without outlines.
Picture PictureOfImage(int number);

// Lets the user drag the picture out of the gadget the left button is held down on, copy only,
// until the button is released: the clipboard's formats in its order, then the PNG bytes as a
// file of that name, with the picture as the drag image where the system makes one. A drop
// target may keep what it got and read it for as long as it likes. False when the picture
// offers nothing or the drag could not start.
bool DragPicture(const SharedPicture& picture, int fromGadget, std::u16string_view fileName);

} // namespace wexa
