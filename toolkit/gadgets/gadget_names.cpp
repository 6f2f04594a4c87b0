#include "toolkit/gadgets/gadgets.h"

#include "toolkit/gadgets/inside_toolkit.h"
#include "toolkit/platform/shared_state.h"
#include "toolkit/platform/win32_handles.h"

#include <commctrl.h>
#include <ole2.h>
// The accessibility service's GUIDs are defined here, so no import library is needed.
#include <initguid.h>
#include <oleacc.h>

#include <set>
#include <utility>

namespace wexa {
namespace detail {
namespace {

struct GadgetNames {
    win32::UniqueWindow tooltips; // one tooltip control, owned by the window of its tools
    win32::ComReference<IAccPropServices> services;
    bool servicesAsked = false; // once: a platform without the service, or without names, is not asked again
    std::set<HWND> withTooltip, named;
};

GadgetNames& Names() {
    static GadgetNames names;
    return names;
}

// The tooltip control for tools of the owner window, made on first use.
HWND TooltipsFor(HWND owner) {
    GadgetNames& n = Names();
    if (n.tooltips && GetWindow(n.tooltips.get(), GW_OWNER) == owner) return n.tooltips.get();
    n.tooltips.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                     GetModuleHandleW(nullptr), nullptr));
    n.withTooltip.clear();
    return n.tooltips.get();
}

// A tool for the whole control; its size without the field that only version 6 knows,
// so that either version of the common controls takes it. The event loop relays the
// control's mouse messages: a subclass would put every message of every key, its paints
// too, through the tooltip control's window property lookups.
TTTOOLINFOW ToolOf(HWND control, wchar_t* text) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    return tool;
}

IAccPropServices* Services() {
    GadgetNames& n = Names();
    IAccPropServices* services = nullptr;
    if (!std::exchange(n.servicesAsked, true) &&
        SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                   reinterpret_cast<void**>(&services))))
        n.services.reset(services);
    return n.services.get();
}

void ClearName(HWND control) {
    if (IAccPropServices* services = Names().services.get()) {
        MSAAPROPID name = PROPID_ACC_NAME;
        services->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
    }
}

} // namespace

void ForgetGadgetNames(HWND control) {
    GadgetNames& n = Names();
    if (n.withTooltip.erase(control) && n.tooltips) {
        TTTOOLINFOW tool = ToolOf(control, nullptr);
        SendMessageW(n.tooltips.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (n.named.erase(control)) ClearName(control);
}

void RelayToTooltips(const MSG& message) {
    GadgetNames& n = Names();
    bool mouse = message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST;
    if (mouse && n.tooltips && n.withTooltip.count(message.hwnd))
        SendMessageW(n.tooltips.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

void ReleaseGadgetNames() {
    GadgetNames& n = Names();
    for (HWND control : n.named)
        ClearName(control);
    n = GadgetNames{}; // the tooltip control is destroyed before the service is let go
}

} // namespace detail

bool SetGadgetTooltip(int number, std::u16string_view text) {
    HWND control = detail::ControlOf(number);
    HWND tooltips = control ? detail::TooltipsFor(GetParent(control)) : nullptr;
    if (!tooltips) return false;
    std::wstring wide = detail::Wide(text);
    TTTOOLINFOW tool = detail::ToolOf(control, wide.data());
    SendMessageW(tooltips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool)); // a second call replaces the text
    bool added = SendMessageW(tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
    if (added) detail::Names().withTooltip.insert(control);
    return added;
}

bool SetGadgetAccessibleName(int number, std::u16string_view name) {
    HWND control = detail::ControlOf(number);
    IAccPropServices* services = control ? detail::Services() : nullptr;
    if (!services) return false;
    HRESULT result = services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                              detail::Wide(name).c_str());
    if (result == E_NOTIMPL) detail::Names().services.reset(); // it has no names to give
    if (FAILED(result)) return false;
    detail::Names().named.insert(control);
    return true;
}

} // namespace wexa
