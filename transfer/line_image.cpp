#include "transfer/line_image.h"

#include "keyboard/constants.h"
#include "toolkit/fonts.h"
#include "toolkit/images.h"
#include "transfer/constants.h"

#include <climits>

namespace wexa {

int LineImageWidth(std::size_t length) {
    if (length > static_cast<std::size_t>(INT_MAX / LineImagePixelsPerCharacter)) return 0;
    return static_cast<int>(length) * LineImagePixelsPerCharacter;
}

void RenderLineImage(int width, std::u16string_view text) {
    if (IsNull(CreateImageBuffer(LineImageNumber, width, LineImageHeight))) return;
    if (!BeginImageDrawing(LineImageNumber)) return;
    FillBox(0, 0, width, LineImageHeight, White);
    SetDrawingMode(DrawingModeTransparent);
    SetDrawingFont(FontHandleOf(LineFont));
    DrawTextAt(LineTextX, LineTextY, text, Black);
    EndImageDrawing();
}

} // namespace wexa
