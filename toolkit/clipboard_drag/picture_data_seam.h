#pragma once
// For tests only: the data object a drag of the picture offers, without the drag, so that a
// test can hold it across a drag and another picture as a drop target that keeps it does.
#include "toolkit/clipboard_drag/picture.h"

#include <objidl.h>

#include <string_view>

namespace wexa::detail {

// One reference, which the caller releases.
IDataObject* NewPictureData(SharedPicture picture, std::u16string_view fileName);

} // namespace wexa::detail
