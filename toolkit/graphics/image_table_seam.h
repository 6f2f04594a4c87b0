#pragma once
// The image table as the graphics group keeps it. Beside the group itself only tests and
// benchmarks include this seam: to plant what no Toolkit call makes (a deleted bitmap, a
// record that disagrees with its bitmap) or to time a picture without drawing it.
#include "toolkit/core/object_table.h"
#include "toolkit/platform/win32_handles.h"

namespace wexa::detail {

struct ImageRecord {
    win32::SharedBitmap bitmap; // shared with the pictures made of it
    int width = 0;
    int height = 0;
    int depth = 0;
};

ObjectTable<ImageRecord>& ImageTable();

} // namespace wexa::detail
