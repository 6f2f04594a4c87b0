#pragma once
// Between the image table and the drawing on its images.

namespace wexa::detail {

// Ends the current drawing if it is on that image, so the image's bitmap is no longer
// selected into a device context and can be deleted.
void EndDrawingOnImage(int number);

} // namespace wexa::detail
