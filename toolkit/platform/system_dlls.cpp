#include "toolkit/platform/system_dlls.h"

#include "toolkit/platform/win32_handles.h"

#include <string>

namespace wexa::detail {
namespace {

template <typename Function> bool Find(HMODULE module, const char* name, Function& function) {
    return (function = LookUpFunction<Function>(module, name)) != nullptr;
}

// Systems without the search flags (Vista, and Windows 7 before its update KB2533623) refuse
// them: there the full path names the same file.
HMODULE LoadFromSystem32(const wchar_t* name) {
    if (HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return module;
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    return LoadLibraryW((std::wstring(folder, length) + L'\\' + name).c_str());
}

struct LoadedUxTheme {
    win32::UniqueModule module;
    UxTheme functions;
};

LoadedUxTheme LoadUxTheme() {
    LoadedUxTheme loaded{win32::UniqueModule(LoadFromSystem32(L"uxtheme.dll")), {}};
    HMODULE m = loaded.module.get();
    UxTheme& f = loaded.functions;
    if (!m || !Find(m, "GetWindowTheme", f.getWindowTheme) ||
        !Find(m, "IsThemeBackgroundPartiallyTransparent", f.isBackgroundPartiallyTransparent) ||
        !Find(m, "DrawThemeParentBackground", f.drawParentBackground) ||
        !Find(m, "DrawThemeBackground", f.drawBackground) ||
        !Find(m, "GetThemeBackgroundContentRect", f.getBackgroundContentRect) || !Find(m, "GetThemeColor", f.getColor))
        f = {};
    return loaded;
}

} // namespace

void RestrictDllSearchToSystem32() {
    // Looked up, not imported: Vista and Windows 7 before KB2533623 do not have it.
    BOOL(WINAPI * setDirectories)(DWORD) = nullptr;
    if (Find(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories", setDirectories))
        setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Before any window: the common controls, which draw with UxTheme too, then find it
    // loaded, whatever way they look for it.
    SystemUxTheme();
}

const UxTheme& SystemUxTheme() {
    static const LoadedUxTheme theme = LoadUxTheme(); // kept to the program's end
    return theme.functions;
}

} // namespace wexa::detail
