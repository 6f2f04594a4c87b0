// Commands about the pictures the program places on the clipboard and in its file, and about
// its executable file, as another program on the same desktop sees them.
#include "probe.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace probe {
namespace {

// A format given as a number, or as the name of a registered format such as "PNG".
UINT FormatOf(const std::wstring& text) {
    wchar_t* end = nullptr;
    unsigned long number = std::wcstoul(text.c_str(), &end, 10);
    return end && *end == L'\0' && !text.empty() ? static_cast<UINT>(number) : RegisterClipboardFormatW(text.c_str());
}

// clipboard-format-names: every format in the order a reader enumerates them, with the
// name of each registered one ("" for the predefined ones).
int FormatNames(const Args&) {
    if (!OpenClipboard(nullptr)) return Fail("clipboard busy");
    std::string out;
    for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f)) {
        wchar_t name[128] = L"";
        GetClipboardFormatNameW(f, name, 128);
        if (!out.empty()) out += ",";
        out += "{\"id\":" + std::to_string(f) + ",\"name\":" + Quote(name) + "}";
    }
    CloseClipboard();
    std::printf("{\"formats\":[%s]}\n", out.c_str());
    return 0;
}

// clipboard-block FORMAT FILE: writes the block of that format as it is to FILE.
int SaveBlock(const Args& args) {
    if (args.size() < 2) return Fail("usage: clipboard-block FORMAT FILE");
    if (!OpenClipboard(nullptr)) return Fail("clipboard busy");
    HANDLE data = GetClipboardData(FormatOf(args[0]));
    const void* bytes = data ? GlobalLock(data) : nullptr;
    FILE* out = bytes ? _wfopen(args[1].c_str(), L"wb") : nullptr;
    const SIZE_T size = bytes ? GlobalSize(data) : 0;
    if (out) {
        std::fwrite(bytes, 1, size, out);
        std::fclose(out);
    }
    if (bytes) GlobalUnlock(data);
    CloseClipboard();
    if (!data) return Fail("no such format");
    std::printf("{\"size\":%zu}\n", static_cast<size_t>(size));
    return out ? 0 : Fail("cannot write file");
}

// clipboard-hold-until-file PATH MS: keeps the clipboard open until a file appears at PATH,
// then MS milliseconds more. The program writes its PNG file just before it places the
// picture, so the picture meets a clipboard held for those last milliseconds.
int HoldUntilFile(const Args& args) {
    if (args.size() < 2) return Fail("usage: clipboard-hold-until-file PATH MS");
    HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!owner || !OpenClipboard(owner)) return Fail("clipboard busy");
    std::printf("{\"holding\":true}\n");
    std::fflush(stdout);
    while (GetFileAttributesW(args[0].c_str()) == INVALID_FILE_ATTRIBUTES) Sleep(1);
    Sleep(static_cast<DWORD>(_wtoi(args[1].c_str())));
    CloseClipboard();
    std::printf("{\"released\":true}\n");
    return 0;
}

// hold-file PATH: another program that has the file open and shares it with no one, as an
// editor that locks what it shows does, until it is ended.
int HoldFile(const Args& args) {
    if (args.size() != 1) return Fail("usage: hold-file PATH");
    HANDLE file = CreateFileW(args[0].c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Fail("cannot open it");
    std::printf("{\"holding\":true}\n");
    std::fflush(stdout);
    Sleep(INFINITE);
    return 0;
}

bool WriteFile(const std::wstring& path, const void* bytes, std::size_t size) {
    FILE* out = _wfopen(path.c_str(), L"wb");
    const bool written = out && std::fwrite(bytes, 1, size, out) == size;
    if (out) std::fclose(out);
    return written;
}

// The metafile played into a white 32-bit top-down bitmap of width x height: its rows as BGRX bytes.
std::string Played(HENHMETAFILE metafile, int width, int height) {
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB}};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::string rows;
    if (bitmap) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        const RECT all{0, 0, width, height};
        PatBlt(dc, 0, 0, width, height, WHITENESS);
        if (PlayEnhMetaFile(dc, metafile, &all)) rows.assign(static_cast<const char*>(bits), 4ull * width * height);
        SelectObject(dc, old);
        DeleteObject(bitmap);
    }
    DeleteDC(dc);
    return rows;
}

// clipboard-metafile RECORDS [WIDTH HEIGHT PIXELS]: writes the CF_ENHMETAFILE's records as a
// program reads them (GetEnhMetaFileBits) to RECORDS and, given a size, what it draws there
// as BGRX rows, top first, to PIXELS.
int SaveMetafile(const Args& args) {
    if (args.size() != 1 && args.size() != 4) return Fail("usage: clipboard-metafile RECORDS [WIDTH HEIGHT PIXELS]");
    if (!OpenClipboard(nullptr)) return Fail("clipboard busy");
    HENHMETAFILE copy = CopyEnhMetaFileW(static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE)), nullptr);
    CloseClipboard();
    if (!copy) return Fail("no metafile");
    std::string records(GetEnhMetaFileBits(copy, 0, nullptr), '\0');
    GetEnhMetaFileBits(copy, static_cast<UINT>(records.size()), reinterpret_cast<BYTE*>(records.data()));
    std::string rows = args.size() == 4 ? Played(copy, _wtoi(args[1].c_str()), _wtoi(args[2].c_str())) : "";
    DeleteEnhMetaFile(copy);
    if (!WriteFile(args[0], records.data(), records.size()) || (args.size() == 4 && rows.empty()) ||
        (!rows.empty() && !WriteFile(args[3], rows.data(), rows.size())))
        return Fail("cannot play or write it");
    std::printf("{\"size\":%zu}\n", records.size());
    return 0;
}

std::wstring VersionString(const std::string& block, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    std::wstring path = L"\\StringFileInfo\\040704B0\\" + std::wstring(name);
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || !length) return L"";
    return static_cast<const wchar_t*>(value);
}

// The sizes listed in the executable's icon group 1.
std::string IconSizes(HMODULE module) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    const auto* group = found ? static_cast<const BYTE*>(LockResource(LoadResource(module, found))) : nullptr;
    if (!group) return "[]";
    WORD count = 0;
    std::memcpy(&count, group + 4, sizeof count);
    std::string out = "[";
    for (WORD i = 0; i < count; ++i) out += (i ? "," : "") + std::to_string(group[6 + 14 * i]);
    return out + "]";
}

// executable-info PATH: the version information and the icon sizes of an executable.
int ExecutableInfo(const Args& args) {
    if (args.empty()) return Fail("usage: executable-info PATH");
    DWORD ignored = 0;
    std::string block(GetFileVersionInfoSizeW(args[0].c_str(), &ignored), '\0');
    if (block.empty() || !GetFileVersionInfoW(args[0].c_str(), 0, static_cast<DWORD>(block.size()), block.data()))
        return Fail("no version information");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length);
    HMODULE module = LoadLibraryExW(args[0].c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    std::string icons = module ? IconSizes(module) : "[]";
    const bool loads = module && LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, LR_SHARED);
    if (module) FreeLibrary(module);
    std::string version = "[";
    if (fixed)
        for (DWORD part : {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                           HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)})
            version += (version.size() > 1 ? "," : "") + std::to_string(part);
    version += "]";
    std::printf("{\"product\":%s,\"description\":%s,\"version\":%s,\"file_version\":%s,\"icons\":%s,"
                "\"icon_loads\":%s}\n",
                Quote(VersionString(block, L"ProductName")).c_str(),
                Quote(VersionString(block, L"FileDescription")).c_str(),
                Quote(VersionString(block, L"ProductVersion")).c_str(), version.c_str(), icons.c_str(),
                loads ? "true" : "false");
    return 0;
}

const ProbeCommand formatNames{"clipboard-format-names", FormatNames};
const ProbeCommand block{"clipboard-block", SaveBlock};
const ProbeCommand metafile{"clipboard-metafile", SaveMetafile};
const ProbeCommand holdUntilFile{"clipboard-hold-until-file", HoldUntilFile};
const ProbeCommand executableInfo{"executable-info", ExecutableInfo};
const ProbeCommand holdFile{"hold-file", HoldFile};

} // namespace
} // namespace probe
