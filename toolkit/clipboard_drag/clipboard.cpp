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

// Offers the PNG first, for the programs that read it best; a refusal leaves the DIB alone.
void PlacePng(win32::UniqueGlobal png) {
    const UINT format = detail::PngFormat();
    if (png && format && SetClipboardData(format, png.get())) png.release(); // the clipboard's now
}

// Offered last: a program that takes the first picture format it knows gets the bitmap.
void PlaceVectorPicture(win32::UniqueEnhMetafile outlines) {
    if (outlines && SetClipboardData(CF_ENHMETAFILE, outlines.get())) outlines.release(); // the clipboard's now
}

} // namespace

ClipboardDataHandle CopyImageToClipboard(const Picture& picture) {
    if (IsNull(ImageHandleOf(picture.image))) return ClipboardDataHandle::Null; // the clipboard is not opened
    win32::UniqueGlobal png = detail::PngBlockOf(picture); // before opening: held briefly
    win32::UniqueEnhMetafile outlines = detail::OutlinesOf(picture);
    detail::ProgramClipboard clipboard;
    if (!clipboard) return ClipboardDataHandle::Null;
    win32::UniqueGlobal dib = detail::PackedDibOf(picture);
    if (!dib) return ClipboardDataHandle::Null; // the clipboard is closed as it was
    if (!clipboard.Empty()) return ClipboardDataHandle::Null; // another program's data stays alone
    PlacePng(std::move(png));
    HANDLE placed = SetClipboardData(CF_DIB, dib.get());
    if (!placed) {
        clipboard.Empty(); // no picture at all rather than the PNG alone
        return ClipboardDataHandle::Null;
    }
    dib.release(); // it belongs to the clipboard now
    PlaceVectorPicture(std::move(outlines));
    return detail::ToHandle<ClipboardDataHandle>(placed);
}

int DiscardClipboard() {
    detail::ProgramClipboard clipboard;
    if (!clipboard) return 0;
    return clipboard.Empty() ? 1 : 0;
}

} // namespace wexa
