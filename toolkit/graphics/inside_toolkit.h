#pragma once
// What the Toolkit's other groups use of the graphics group, beside its public headers.
#include "toolkit/core/dpi_scaling.h"
#include "toolkit/core/handles.h"
#include "toolkit/platform/win32_handles.h"

#include <optional>
#include <unordered_map>
#include <vector>

namespace wexa::detail {

// Each layout font made anew, under the handle it replaces, which lives on until no gadget has it.
using FontSuccession = std::unordered_map<HFONT, HFONT>;

// Makes every font that follows the layout density anew at that density; a font that cannot
// be made stays, at its old height.
void RemakeLayoutFonts(int dpi, FontSuccession& succession, std::vector<win32::UniqueFont>& retired);

// The image's size as its record gives it, or none when the number holds no image.
std::optional<Size> ImageSizeOf(int number);

// The image's bitmap, shared: it outlives the image while a picture made of it lives. None
// when the number holds no image.
SharedBitmap ShareImageBitmap(int number);

// At shutdown: every image, then every font, then the font registrations.
void ReleaseGraphics();

} // namespace wexa::detail
