#include "transfer/save_status.h"

#include "toolkit/gadgets.h"
#include "transfer/constants.h"

namespace wexa {
namespace {

std::u16string_view SaveStatusText(FileWriteOutcome outcome) {
    switch (outcome) {
    case FileWriteOutcome::Written:
        return SavedText;
    case FileWriteOutcome::NoImage:
        return NotSavedNoPictureText;
    case FileWriteOutcome::FolderMissing:
        return NotSavedFolderMissingText;
    case FileWriteOutcome::AccessDenied:
        return NotSavedAccessDeniedText;
    case FileWriteOutcome::FileLocked:
        return NotSavedFileLockedText;
    case FileWriteOutcome::WriteFailed:
        break;
    }
    return NotSavedWriteFailedText;
}

} // namespace

void ShowSaveStatus(FileWriteOutcome outcome) {
    CreateTextField(SaveStatusNumber, SaveStatusX, SaveStatusY, SaveStatusWidth, SaveStatusHeight,
                    SaveStatusText(outcome), 0);
}

} // namespace wexa
