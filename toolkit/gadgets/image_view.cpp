// The image view: a static control that paints a bitmap it does not own at its top-left
// corner and reports the clicks that a plain static control keeps to itself. A static
// control without SS_BITMAP neither takes nor paints an image, so the view paints it here.
#include "gadget_table.h"
#include "toolkit/gadgets/gadgets.h"
#include "toolkit/gadgets/inside_toolkit.h"
#include "toolkit/platform/shared_state.h"

#include <commctrl.h>

#include <cstdlib>
#include <memory>

namespace wexa {
namespace {

constexpr DWORD ImageViewStyle = WS_CHILD | WS_VISIBLE | SS_NOTIFY;
constexpr UINT_PTR ImageViewSubclass = 0x1A6E;

struct ImageViewState {
    HBITMAP bitmap = nullptr; // the image table's, never deleted here
    POINT pressedAt{};
    bool dragArmed = false;
};

POINT PointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

void ArmDrag(HWND view, ImageViewState& state, LPARAM lParam) {
    state.pressedAt = PointOf(lParam);
    state.dragArmed = true;
    SetCapture(view); // the pointer may leave the view while the button is down
}

void DisarmDrag(HWND view, ImageViewState& state) {
    if (!state.dragArmed) return;
    state.dragArmed = false;
    if (GetCapture() == view) ReleaseCapture();
}

void CheckDrag(HWND view, ImageViewState& state, WPARAM wParam, LPARAM lParam) {
    if (!state.dragArmed || !(wParam & MK_LBUTTON)) return;
    POINT at = PointOf(lParam);
    if (std::abs(at.x - state.pressedAt.x) > GetSystemMetrics(SM_CXDRAG) ||
        std::abs(at.y - state.pressedAt.y) > GetSystemMetrics(SM_CYDRAG)) {
        DisarmDrag(view, state);
        detail::QueueGadgetEvent(view, EventTypeDragStart);
    }
}

bool Paint(HWND view, HBITMAP bitmap) {
    BITMAP info{};
    // A handle that no longer names a bitmap is never painted.
    if (GetObjectType(bitmap) != OBJ_BITMAP || !GetObjectW(bitmap, sizeof info, &info)) return false;
    win32::PaintScope paint(view);
    if (!paint) return true;
    win32::UniqueMemoryDc source(CreateCompatibleDC(paint.get()));
    if (!source) return true;
    win32::SelectedObject selected(source.get(), bitmap);
    BitBlt(paint.get(), 0, 0, info.bmWidth, std::abs(info.bmHeight), source.get(), 0, 0, SRCCOPY);
    return true;
}

// The view's own events (QueueGadgetEvent) are for the clicks that reach no WM_COMMAND.
LRESULT CALLBACK ImageViewProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR ref) noexcept {
    auto* state = reinterpret_cast<ImageViewState*>(ref);
    switch (message) {
    case WM_PAINT:
        if (state->bitmap && Paint(view, state->bitmap)) return 0;
        break;
    case WM_ERASEBKGND:
        if (state->bitmap) return 1; // the bitmap covers the whole view
        break;
    case WM_LBUTTONDOWN: // the static control reports the click itself, as STN_CLICKED
        ArmDrag(view, *state, lParam);
        break;
    case WM_LBUTTONDBLCLK: // in place of the static control's STN_DBLCLK
        ArmDrag(view, *state, lParam);
        detail::QueueGadgetEvent(view, EventTypeLeftDoubleClick);
        return 0;
    case WM_MOUSEMOVE:
        CheckDrag(view, *state, wParam, lParam);
        break;
    case WM_LBUTTONUP:
        DisarmDrag(view, *state);
        break;
    case WM_CAPTURECHANGED:
        state->dragArmed = false;
        break;
    case WM_RBUTTONDOWN:
        detail::QueueGadgetEvent(view, EventTypeRightClick);
        break;
    case WM_RBUTTONDBLCLK:
        detail::QueueGadgetEvent(view, EventTypeRightDoubleClick);
        break;
    case WM_NCDESTROY: // the last message: the view lets go of its state
        RemoveWindowSubclass(view, ImageViewProc, ImageViewSubclass);
        delete state; // CreateViewControl's, owned by the view until now
        break;
    default:
        break;
    }
    return DefSubclassProc(view, message, wParam, lParam);
}

// The view with its state, which is then the view's, freed at WM_NCDESTROY; null when refused.
HWND CreateViewControl(int number, const detail::Place& place, ImageViewState*& state) {
    win32::UniqueWindow view(detail::CreateChild(number, L"STATIC", u"", ImageViewStyle, 0, place));
    auto owned = std::make_unique<ImageViewState>();
    auto ref = reinterpret_cast<DWORD_PTR>(owned.get());
    if (!view || !SetWindowSubclass(view.get(), ImageViewProc, ImageViewSubclass, ref)) return nullptr;
    state = owned.release();
    return view.release();
}

// Takes the bitmap's size in pixels, keeping the position, and paints it at once; true when
// the view shows it.
bool ShowBitmap(HWND view, ImageViewState& state, HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return false;
    state.bitmap = bitmap;
    SetWindowPos(view, nullptr, 0, 0, info.bmWidth, std::abs(info.bmHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(view, nullptr, TRUE);
    UpdateWindow(view);
    return true;
}

} // namespace

ControlHandle CreateImageView(int number, int x, int y, int width, int height, BitmapHandle bitmap) {
    ImageViewState* state = nullptr;
    HWND view = CreateViewControl(number, {x, y, width, height}, state);
    if (!view) {
        // The old view's bitmap may already be deleted: it must not stay to paint it.
        if (detail::GadgetRecord* old = detail::Gadgets().gadgets.Find(number); old && old->sizedByImage)
            FreeGadget(number);
        return ControlHandle::Null;
    }
    if (!detail::InstallGadget(number, view, {x, y, width, height}))
        return ControlHandle::Null; // a number no table holds
    // The picture keeps its pixels at every layout density: a new layout only moves the view.
    if (ShowBitmap(view, *state, detail::FromHandle<HBITMAP>(bitmap)))
        detail::Gadgets().gadgets.Find(number)->sizedByImage = true;
    return detail::ToHandle<ControlHandle>(view);
}

} // namespace wexa
