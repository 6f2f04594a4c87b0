#include "toolkit/clipboard_drag/clipboard.h"

#include "clipboard_access.h"
#include "toolkit/clipboard_drag/clipboard_seam.h"
#include "picture_formats.h"
#include "toolkit/platform/shared_state.h"
#include "toolkit/windows/inside_toolkit.h"

#include <array>
#include <chrono>

namespace wexa {

namespace detail {
namespace {

constexpr std::chrono::milliseconds ClipboardPatience{50};
constexpr DWORD ClipboardPauseMs = 5;
void (*retryHook)() = nullptr;

} // namespace

ProgramClipboard::ProgramClipboard() {
    const auto until = std::chrono::steady_clock::now() + ClipboardPatience;
    while (!(open_ = OpenClipboard(ClipboardOwner()) != FALSE) && std::chrono::steady_clock::now() < until) {
        Sleep(ClipboardPauseMs);
        if (retryHook) retryHook();
    }
}

void SetClipboardRetryHook(void (*hook)()) { retryHook = hook; }

} // namespace detail

namespace {

// Offered last: the clipboard takes the outlines themselves and the picture keeps a copy, made
// while the clipboard is still open, once the platform has let go of what it made of them: so
// only two of them ever exist at once. Refused ones stay the picture's.
void PlaceOutlines(VectorPicture& outlines) {
    auto handle = static_cast<HENHMETAFILE>(outlines.get());
    if (!handle || !SetClipboardData(CF_ENHMETAFILE, handle)) return;
    outlines.release(); // the clipboard's now
    outlines.reset(CopyEnhMetaFileW(handle, nullptr));
}

constexpr std::size_t DibAt = 1;
static_assert(detail::PictureFormats[DibAt].offer == detail::Offer::Dib);

} // namespace

ClipboardDataHandle CopyImageToClipboard(Picture& picture) {
    if (!picture.pixels) return ClipboardDataHandle::Null; // the clipboard is not opened
    detail::ProgramClipboard clipboard;
    if (!clipboard) return ClipboardDataHandle::Null;
    std::array<detail::Medium, detail::ClipboardFormatCount> made;
    for (std::size_t i = 0; i < made.size(); ++i)
        if (detail::PictureFormats[i].offer != detail::Offer::Outlines)
            made[i] = detail::MediumOf(picture, detail::PictureFormats[i].offer, {});
    if (!made[DibAt]) return ClipboardDataHandle::Null;       // the clipboard is closed as it was
    if (!clipboard.Empty()) return ClipboardDataHandle::Null; // another program's data stays alone
    HANDLE dib = nullptr;
    for (std::size_t i = 0; i < made.size(); ++i) {
        const detail::PictureFormat& format = detail::PictureFormats[i];
        if (format.offer == detail::Offer::Outlines) {
            PlaceOutlines(picture.outlines);
            continue;
        }
        // A refused PNG leaves the DIB alone; without the DIB, no picture rather than the PNG alone.
        HANDLE placed = made[i] ? SetClipboardData(detail::FormatIdOf(format), made[i].Handle()) : nullptr;
        if (placed) made[i].HandOver(); // the clipboard's now
        if (i == DibAt && !placed) {
            clipboard.Empty();
            return ClipboardDataHandle::Null;
        }
        if (i == DibAt) dib = placed;
    }
    return detail::ToHandle<ClipboardDataHandle>(dib);
}

int DiscardClipboard() {
    detail::ProgramClipboard clipboard;
    if (!clipboard) return 0;
    return clipboard.Empty() ? 1 : 0;
}

} // namespace wexa
