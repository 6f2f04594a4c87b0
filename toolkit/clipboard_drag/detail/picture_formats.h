#pragma once
// The picture's formats, each made afresh for whoever takes it: the clipboard keeps what it is
// given, and a drop target frees what it gets.
#include "toolkit/platform/win32_handles.h"
#include "toolkit/clipboard_drag/picture.h"

namespace wexa::detail {

// The registered format under which browsers and screenshot tools place PNG pictures.
UINT PngFormat();

// The PNG bytes in a movable block; null when the picture has none.
win32::UniqueGlobal PngBlockOf(const Picture& picture);
// The image's bitmap as a packed device-independent bitmap block, unlocked; null when the
// image is gone or the conversion fails.
win32::UniqueGlobal PackedDibOf(const Picture& picture);
// A copy of the outlines; null when the picture has none.
win32::UniqueEnhMetafile OutlinesOf(const Picture& picture);

} // namespace wexa::detail
