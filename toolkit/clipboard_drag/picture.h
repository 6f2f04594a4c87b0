#pragma once
// A picture as the program hands it to other programs: made once, then given as it is to the
// clipboard and to a drag, which offer the same formats in the same order.
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

struct Picture {
    EncodedImage png;       // its PNG file's bytes, offered as "PNG" and as the file wexazeile.png
    int image = -1;         // the image whose bitmap is packed for CF_DIB each time one is asked for
    VectorPicture outlines; // its filled glyph outlines (CF_ENHMETAFILE), or none
};

// Lets the user drag the picture out of the gadget the left button is held down on, copy only,
// until the button is released: the clipboard's formats in its order, then the PNG bytes as a
// file of that name, with the picture as the drag image where the system makes one. False
// when the picture offers nothing or the drag could not start.
bool DragPicture(const Picture& picture, int fromGadget, std::u16string_view fileName);

} // namespace wexa
