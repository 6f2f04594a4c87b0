// Commands about dragging out of the program and about ending it: a drop target in a program
// of its own, what holds the program's mouse capture, and a quit message for its thread.
#include "probe.h"

#include <ole2.h>

#include <cstdio>
#include <string>

namespace probe {
namespace {

void Say(const std::string& json) {
    std::printf("%s\n", json.c_str());
    std::fflush(stdout);
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    FILE* out = _wfopen(path.c_str(), L"wb");
    const bool written = out && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (out) std::fclose(out);
    return written;
}

// The medium's bytes: a global block's, or a metafile's records.
std::string BytesOf(const STGMEDIUM& medium) {
    std::string bytes;
    if (medium.tymed == TYMED_HGLOBAL) {
        const char* data = static_cast<const char*>(GlobalLock(medium.hGlobal));
        if (data) bytes.assign(data, GlobalSize(medium.hGlobal));
        GlobalUnlock(medium.hGlobal);
    } else if (medium.tymed == TYMED_ENHMF) {
        bytes.resize(GetEnhMetaFileBits(medium.hEnhMetaFile, 0, nullptr));
        GetEnhMetaFileBits(medium.hEnhMetaFile, static_cast<UINT>(bytes.size()), reinterpret_cast<BYTE*>(bytes.data()));
    }
    return bytes;
}

// Takes what a program that accepts pictures takes: every format offered, in the offered
// order, each asked for inside Drop and saved to FOLDER\<its place>.bin.
class DropTarget : public IDropTarget {
public:
    explicit DropTarget(std::wstring folder) : folder_(std::move(folder)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = iid == IID_IUnknown || iid == IID_IDropTarget ? this : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; } // lives as long as the command
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        allowed_ = *effect;
        *effect &= DROPEFFECT_COPY;
        Say("{\"entered\":true}");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        *effect &= DROPEFFECT_COPY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        *effect &= DROPEFFECT_COPY;
        IEnumFORMATETC* formats = nullptr;
        std::string out;
        if (SUCCEEDED(data->EnumFormatEtc(DATADIR_GET, &formats)))
            for (FORMATETC f; formats->Next(1, &f, nullptr) == S_OK;) out += (out.empty() ? "" : ",") + Take(data, f);
        if (formats) formats->Release();
        Say("{\"allowed\":" + std::to_string(allowed_) + ",\"dropped\":[" + out + "]}");
        PostQuitMessage(0);
        return S_OK;
    }

private:
    std::string Take(IDataObject* data, FORMATETC& format) {
        STGMEDIUM medium{};
        const bool got = SUCCEEDED(data->GetData(&format, &medium));
        const std::string bytes = got ? BytesOf(medium) : "";
        if (got) ReleaseStgMedium(&medium);
        const std::wstring file = folder_ + L"\\" + std::to_wstring(taken_++) + L".bin";
        wchar_t name[128] = L"";
        GetClipboardFormatNameW(format.cfFormat, name, 128);
        return "{\"id\":" + std::to_string(format.cfFormat) + ",\"name\":" + Quote(name) +
               ",\"tymed\":" + std::to_string(format.tymed) + ",\"lindex\":" + std::to_string(format.lindex) +
               ",\"got\":" + (got && WriteBytes(file, bytes) ? "true" : "false") + ",\"file\":" + Quote(file) + "}";
    }
    std::wstring folder_;
    DWORD allowed_ = 0;
    int taken_ = 0;
};

// drop-target X Y WIDTH HEIGHT FOLDER: a window of another program that accepts drops there;
// says where it is, then {"entered":true} when a drag enters it, then what a drop brought,
// and ends.
int RunDropTarget(const Args& args) {
    if (args.size() != 5) return Fail("usage: drop-target X Y WIDTH HEIGHT FOLDER");
    if (FAILED(OleInitialize(nullptr))) return Fail("no OLE");
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = L"WexaProbeDropTarget";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"drop target", WS_POPUP | WS_VISIBLE,
                                  _wtoi(args[0].c_str()), _wtoi(args[1].c_str()), _wtoi(args[2].c_str()),
                                  _wtoi(args[3].c_str()), nullptr, nullptr, wc.hInstance, nullptr);
    DropTarget target(args[4]);
    if (!window || FAILED(RegisterDragDrop(window, &target))) return Fail("no drop target");
    RECT r{};
    GetWindowRect(window, &r);
    Say("{\"window\":" + RectJson(r) + "}");
    for (MSG msg; GetMessageW(&msg, nullptr, 0, 0) > 0;) DispatchMessageW(&msg);
    RevokeDragDrop(window);
    DestroyWindow(window);
    OleUninitialize();
    return 0;
}

// capture: whether the program's thread has the mouse captured, and by one of its controls or
// by a window of the system's (a drag in progress).
int Capture(const Args&) {
    HWND w = FindMainWindow();
    GUITHREADINFO info{sizeof info};
    if (!w || !GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info)) return Fail("no main window");
    std::printf("{\"captured\":%s,\"by_control\":%s}\n", info.hwndCapture ? "true" : "false",
                IsChild(w, info.hwndCapture) ? "true" : "false");
    return 0;
}

// post-quit: a WM_QUIT for the program's thread, as a system or another program may post one.
int PostQuit(const Args&) {
    HWND w = FindMainWindow();
    if (!w || !PostThreadMessageW(GetWindowThreadProcessId(w, nullptr), WM_QUIT, 0, 0)) return Fail("not posted");
    std::printf("{\"posted\":true}\n");
    return 0;
}

const ProbeCommand dropTarget{"drop-target", RunDropTarget};
const ProbeCommand capture{"capture", Capture};
const ProbeCommand postQuit{"post-quit", PostQuit};

} // namespace
} // namespace probe
