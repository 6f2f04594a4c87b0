#pragma once
// The Toolkit's table of open output files.
#include "toolkit/detail/win32_handles.h"
#include "toolkit/images.h"
#include "toolkit/output_buffer.h"

#include <vector>

namespace wexa::detail {

struct OutputFileRecord {
    int number = -1; // -1 for a file without a number: its handle is then its only name
    win32::UniqueFile file;
    OutputBuffer buffer;
};

using OutputFileTable = std::vector<OutputFileRecord>;

// Writes what each open file still buffers and closes them all; for ShutDownToolkit.
void CloseAllOutputFiles();

// Why a file could not be opened for writing, from the system's error code.
PngWriteOutcome OpenFailureOutcome(unsigned long error);

} // namespace wexa::detail
