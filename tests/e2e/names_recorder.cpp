// A stand-in for the accessibility service that keeps no names but writes down every name the
// program gives a window and every one it takes away, so that the names test sees them where
// the platform's own service refuses them. Registered by that test, for its own prefix only,
// under CLSID_AccPropServices; it appends one JSON line per call to the file named by
// WEXA_NAMES_RECORD: {"call": "set" or "clear", "id": the control's number, "hwnd", "object",
// "child", "name": whether the property is the name, "text": the given text's code units}.
#include "toolkit/platform/win32_handles.h"

#include <windows.h>
// The service's GUIDs are defined here.
#include <initguid.h>
#include <oleacc.h>

#include <cstdio>
#include <string>

namespace {

void Record(const char* call, HWND window, DWORD object, DWORD child, bool name, const wchar_t* text) {
    char head[200];
    std::snprintf(head, sizeof head,
                  "{\"call\":\"%s\",\"id\":%d,\"hwnd\":%llu,\"object\":%ld,\"child\":%ld,\"name\":%s,\"text\":[", call,
                  GetDlgCtrlID(window), static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)),
                  static_cast<long>(object), static_cast<long>(child), name ? "true" : "false");
    std::string line = head;
    for (const wchar_t* c = text; c && *c; ++c)
        line.append(c == text ? "" : ",").append(std::to_string(static_cast<unsigned>(*c)));
    line.append("]}\n");
    wchar_t path[MAX_PATH];
    if (!GetEnvironmentVariableW(L"WEXA_NAMES_RECORD", path, MAX_PATH)) return;
    wexa::win32::UniqueFile file(
        CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (file) WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

// One object for the whole process, never freed: its count only has to satisfy COM.
class Recorder : public IAccPropServices, public IClassFactory {
public:
    HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IAccPropServices) *out = static_cast<IAccPropServices*>(this);
        else if (iid == IID_IClassFactory) *out = static_cast<IClassFactory*>(this);
        else return *out = nullptr, E_NOINTERFACE;
        return S_OK;
    }
    ULONG WINAPI AddRef() override { return 2; }
    ULONG WINAPI Release() override { return 1; }

    HRESULT WINAPI CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        return outer ? CLASS_E_NOAGGREGATION : QueryInterface(iid, out);
    }
    HRESULT WINAPI LockServer(BOOL) override { return S_OK; }

    HRESULT WINAPI SetHwndPropStr(HWND window, DWORD object, DWORD child, MSAAPROPID property, LPCWSTR text) override {
        Record("set", window, object, child, property == PROPID_ACC_NAME, text);
        return S_OK;
    }
    HRESULT WINAPI ClearHwndProps(HWND window, DWORD object, DWORD child, const MSAAPROPID* properties,
                                  int count) override {
        for (int i = 0; i < count; ++i)
            Record("clear", window, object, child, properties[i] == PROPID_ACC_NAME, nullptr);
        return S_OK;
    }

    // Nothing else is recorded; a call of any of these shows in the missing name.
    HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHwndProp(HWND, DWORD, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override { return E_NOTIMPL; }
};

Recorder recorder;

} // namespace

STDAPI DllGetClassObject(REFCLSID id, REFIID iid, void** out) {
    if (id != CLSID_AccPropServices) return *out = nullptr, CLASS_E_CLASSNOTAVAILABLE;
    return recorder.QueryInterface(iid, out);
}

STDAPI DllCanUnloadNow() {
    return S_FALSE;
}
