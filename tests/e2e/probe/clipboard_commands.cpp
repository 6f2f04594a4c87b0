// Commands about the clipboard, as another program on the same desktop sees it.
#include "probe.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace probe {
namespace {

int Formats(const Args&) {
    if (!OpenClipboard(nullptr)) return Fail("clipboard busy");
    std::string out = "[";
    for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f))
        out += (out.size() > 1 ? "," : "") + std::to_string(f);
    CloseClipboard();
    std::printf("{\"formats\":%s]}\n", out.c_str());
    return 0;
}

// clipboard-dib FILE: writes the CF_DIB block as it is to FILE.
int SaveDib(const Args& args) {
    if (args.empty()) return Fail("usage: clipboard-dib FILE");
    if (!OpenClipboard(nullptr)) return Fail("clipboard busy");
    HANDLE data = GetClipboardData(CF_DIB);
    if (!data) {
        CloseClipboard();
        return Fail("no CF_DIB");
    }
    SIZE_T size = GlobalSize(data);
    const void* bytes = GlobalLock(data);
    FILE* out = _wfopen(args[0].c_str(), L"wb");
    if (out) {
        std::fwrite(bytes, 1, size, out);
        std::fclose(out);
    }
    GlobalUnlock(data);
    CloseClipboard();
    std::printf("{\"size\":%zu}\n", static_cast<size_t>(size));
    return out ? 0 : Fail("cannot write file");
}

bool PutText(const std::wstring& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!block) return false;
    std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(block);
    if (SetClipboardData(CF_UNICODETEXT, block)) return true;
    GlobalFree(block);
    return false;
}

// clipboard-own-text TEXT SECONDS: puts TEXT on the clipboard and stays its owner for
// SECONDS (or until killed), as another program would.
int OwnText(const Args& args) {
    if (args.size() < 2) return Fail("usage: clipboard-own-text TEXT SECONDS");
    if (!OpenClipboard(nullptr)) return Fail("clipboard busy");
    EmptyClipboard();
    bool ok = PutText(args[0]);
    CloseClipboard();
    std::printf("{\"owned\":%s}\n", ok ? "true" : "false");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(_wtoi(args[1].c_str()) * 1000));
    return ok ? 0 : 1;
}

// clipboard-hold SECONDS: keeps the clipboard open, so nobody else can open it. It is
// opened for a window: Wine lets anyone open a clipboard held open with no owner window.
int Hold(const Args& args) {
    if (args.empty()) return Fail("usage: clipboard-hold SECONDS");
    HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!owner || !OpenClipboard(owner)) return Fail("clipboard busy");
    std::printf("{\"holding\":true}\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(_wtoi(args[0].c_str()) * 1000));
    CloseClipboard();
    return 0;
}

int Text(const Args&) {
    if (!OpenClipboard(nullptr)) return Fail("clipboard busy");
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    std::wstring text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
    if (data) GlobalUnlock(data);
    CloseClipboard();
    std::printf("{\"text\":%s}\n", data ? Quote(text).c_str() : "null");
    return 0;
}

const ProbeCommand formats{"clipboard-formats", Formats};
const ProbeCommand dib{"clipboard-dib", SaveDib};
const ProbeCommand own{"clipboard-own-text", OwnText};
const ProbeCommand hold{"clipboard-hold", Hold};
const ProbeCommand text{"clipboard-text", Text};

} // namespace
} // namespace probe
