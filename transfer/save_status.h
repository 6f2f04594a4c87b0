#pragma once
// What the window says about the last transfer's picture file: saved and where, or why not.
#include "toolkit/platform/files.h"

namespace wexa {

// Shows a short German text for what the PNG write did under the line display, in place of
// what the last transfer showed there.
void ShowSaveStatus(FileWriteOutcome outcome);

} // namespace wexa
