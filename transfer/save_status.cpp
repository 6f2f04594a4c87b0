#include "transfer/save_status.h"

#include "toolkit/gadgets.h"
#include "transfer/constants.h"

#include <iterator>

namespace wexa {
namespace {

// One text for each outcome, in the order FileWriteOutcome lists them.
constexpr std::u16string_view SaveStatusTexts[] = {SavedText, NotSavedNoPictureText, NotSavedFolderMissingText,
                                                   NotSavedAccessDeniedText, NotSavedFileLockedText,
                                                   NotSavedWriteFailedText};
static_assert(std::size(SaveStatusTexts) == static_cast<std::size_t>(FileWriteOutcome::WriteFailed) + 1);

} // namespace

void ShowSaveStatus(FileWriteOutcome outcome) {
    CreateTextField(SaveStatusNumber, SaveStatusX, SaveStatusY, SaveStatusWidth, SaveStatusHeight,
                    SaveStatusTexts[static_cast<std::size_t>(outcome)], 0);
}

} // namespace wexa
