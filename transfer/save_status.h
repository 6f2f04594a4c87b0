#pragma once
// What the window says about the last transfer's picture file: saved and where, or why not.
#include "toolkit/files.h"

#include <string_view>

namespace wexa {

// The short German text for what the last PNG write did.
std::u16string_view SaveStatusText(FileWriteOutcome outcome);

// Shows that text under the line display, in place of what the last transfer showed there.
void ShowSaveStatus(FileWriteOutcome outcome);

} // namespace wexa
