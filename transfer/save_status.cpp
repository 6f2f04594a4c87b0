#include "transfer/save_status.h"

#include "toolkit/gadgets.h"
#include "transfer/constants.h"

namespace wexa {

std::u16string_view SaveStatusText(PngWriteOutcome outcome) {
    switch (outcome) {
    case PngWriteOutcome::Written:
        return SavedText;
    case PngWriteOutcome::NoImage:
        return NotSavedNoPictureText;
    case PngWriteOutcome::FolderMissing:
        return NotSavedFolderMissingText;
    case PngWriteOutcome::AccessDenied:
        return NotSavedAccessDeniedText;
    case PngWriteOutcome::FileLocked:
        return NotSavedFileLockedText;
    case PngWriteOutcome::WriteFailed:
        break;
    }
    return NotSavedWriteFailedText;
}

void ShowSaveStatus(PngWriteOutcome outcome) {
    CreateTextField(SaveStatusNumber, SaveStatusX, SaveStatusY, SaveStatusWidth, SaveStatusHeight,
                    SaveStatusText(outcome), 0);
}

} // namespace wexa
