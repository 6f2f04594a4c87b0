#include "transfer/save_status.h"

#include "toolkit/gadgets/gadgets.h"
#include "transfer/constants.h"

#include <initializer_list>
#include <string>

namespace wexa {
namespace {

std::u16string Joined(std::initializer_list<std::u16string_view> parts) {
    std::u16string text;
    for (std::u16string_view part : parts) text += part;
    return text;
}

// No default: the compiler names an outcome that has no text.
std::u16string SaveStatusText(FileWriteOutcome outcome) {
    switch (outcome) {
    case FileWriteOutcome::Written:
        return Joined({SavedText, PngOutputPath});
    case FileWriteOutcome::NoImage:
        return Joined({NotSavedText, NoPictureReason});
    case FileWriteOutcome::FolderMissing:
        return Joined({NotSavedText, PngFolder, FolderMissingReason});
    case FileWriteOutcome::AccessDenied:
        return Joined({NotSavedText, AccessDeniedReason, PngFolder});
    case FileWriteOutcome::FileLocked:
        return Joined({NotSavedText, FileLockedReason});
    case FileWriteOutcome::WriteFailed:
        return Joined({NotSavedText, WriteFailedReason});
    }
    return {};
}

} // namespace

void ShowSaveStatus(FileWriteOutcome outcome) {
    CreateTextField(SaveStatusNumber, SaveStatusX, SaveStatusY, SaveStatusWidth, SaveStatusHeight,
                    SaveStatusText(outcome), 0);
}

} // namespace wexa
