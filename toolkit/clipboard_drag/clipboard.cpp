#include "toolkit/clipboard_drag/clipboard.h"

#include "clipboard_access.h"
#include "toolkit/clipboard_drag/clipboard_seam.h"
#include "picture_formats.h"
#include "toolkit/platform/shared_state.h"
#include "toolkit/windows/inside_toolkit.h"

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

// The clipboard's now when it takes the block; null when there is none or it is refused.
HANDLE Place(detail::Offer offer, detail::Medium& block) {
    HANDLE placed = block ? SetClipboardData(detail::FormatIdOf(offer), block.get().hGlobal) : nullptr;
    if (placed) block.HandOver();
    return placed;
}

} // namespace

ClipboardDataHandle CopyImageToClipboard(Picture& picture) {
    if (!picture.pixels) return ClipboardDataHandle::Null; // the clipboard is not opened
    detail::ProgramClipboard clipboard;
    if (!clipboard) return ClipboardDataHandle::Null;
    detail::Medium png = detail::MediumOf(picture, detail::Offer::Png, {});
    detail::Medium dib = detail::MediumOf(picture, detail::Offer::Dib, {});
    if (!dib) return ClipboardDataHandle::Null;               // the clipboard is closed as it was
    if (!clipboard.Empty()) return ClipboardDataHandle::Null; // another program's data stays alone
    Place(detail::Offer::Png, png);                           // a refused PNG leaves the DIB alone
    HANDLE placed = Place(detail::Offer::Dib, dib);
    if (!placed) {
        clipboard.Empty(); // no picture at all rather than the PNG alone
        return ClipboardDataHandle::Null;
    }
    PlaceOutlines(picture.outlines);
    return detail::ToHandle<ClipboardDataHandle>(placed);
}

int DiscardClipboard() {
    detail::ProgramClipboard clipboard;
    return clipboard && clipboard.Empty() ? 1 : 0;
}

} // namespace wexa
