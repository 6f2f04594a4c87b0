#include "toolkit/gadgets.h"

#include "toolkit/detail/toolkit_state.h"

namespace wexa {
namespace {

struct ControlSpec {
    const wchar_t* className;
    std::u16string_view text;
    DWORD style;
    DWORD exStyle = 0;
};

// The control is born with the gadget number as its identifier, which spares setting it after.
HWND CreateChild(int number, const ControlSpec& spec, int x, int y, int width, int height) {
    detail::ToolkitState& s = detail::State();
    if (!s.currentWindow) return nullptr;
    return CreateWindowExW(spec.exStyle, spec.className, detail::Wide(spec.text).c_str(), spec.style,
                           detail::Scale(x), detail::Scale(y), detail::Scale(width), detail::Scale(height),
                           s.currentWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)),
                           GetModuleHandleW(nullptr), nullptr);
}

ControlHandle Install(int number, const ControlSpec& spec, int x, int y, int width, int height) {
    return detail::ToHandle<ControlHandle>(
        detail::InstallGadget(number, CreateChild(number, spec, x, y, width, height), {x, y, width, height}));
}

} // namespace

ControlHandle CreatePushButton(int number, int x, int y, int width, int height, std::u16string_view label) {
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
    return Install(number, {L"Button", label, style}, x, y, width, height);
}

ControlHandle CreateTextField(int number, int x, int y, int width, int height, std::u16string_view text,
                              std::uint32_t flags) {
    constexpr DWORD baseStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_NOTIFY | SS_NOPREFIX | SS_LEFT;
    DWORD exStyle = (flags & TextFieldBorder) ? WS_EX_CLIENTEDGE : 0;
    return Install(number, {L"Static", text, baseStyle | flags, exStyle}, x, y, width, height);
}

void ApplyGadgetFont(int number, FontHandle font) {
    if (detail::GadgetRecord* g = detail::State().gadgets.Find(number)) {
        g->font = detail::FromHandle<HFONT>(font);
        SendMessageW(g->control, WM_SETFONT, static_cast<WPARAM>(font), detail::OnScreen(g->control));
    }
}

void FreeGadget(int number) {
    detail::ToolkitState& s = detail::State();
    if (auto g = s.gadgets.Take(number)) {
        DestroyWindow(g->control);
        s.events.DropGadgetEvents(number);
    }
}

} // namespace wexa
