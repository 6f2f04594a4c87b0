// A drop target in a program of its own, and a quit message for the program's thread.
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

// Takes what a program that accepts pictures takes: every format offered, in the offered
// order, each asked for inside Drop and its bytes (a metafile's records) saved to FOLDER\<place>.bin.
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
        Say("{\"entered\":true}");
        return DragOver(0, {}, effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        *effect &= DROPEFFECT_COPY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        IEnumFORMATETC* formats = nullptr;
        std::string out;
        if (SUCCEEDED(data->EnumFormatEtc(DATADIR_GET, &formats)))
            for (FORMATETC f; formats->Next(1, &f, nullptr) == S_OK;) out += (out.empty() ? "" : ",") + Take(data, f);
        if (formats) formats->Release();
        Say("{\"allowed\":" + std::to_string(allowed_) + ",\"dropped\":[" + out + "]}");
        PostQuitMessage(0);
        return DragOver(0, {}, effect);
    }

private:
    std::string Take(IDataObject* data, FORMATETC& format) {
        STGMEDIUM medium{};
        std::string bytes;
        const bool got = SUCCEEDED(data->GetData(&format, &medium));
        if (got && medium.tymed == TYMED_HGLOBAL) {
            if (const char* block = static_cast<const char*>(GlobalLock(medium.hGlobal)))
                bytes.assign(block, GlobalSize(medium.hGlobal));
            GlobalUnlock(medium.hGlobal);
        } else if (got && medium.tymed == TYMED_ENHMF) {
            bytes.resize(GetEnhMetaFileBits(medium.hEnhMetaFile, 0, nullptr));
            GetEnhMetaFileBits(medium.hEnhMetaFile, UINT(bytes.size()), reinterpret_cast<BYTE*>(&bytes[0]));
        }
        if (got) ReleaseStgMedium(&medium);
        FILE* out = _wfopen((folder_ + L"\\" + std::to_wstring(taken_++) + L".bin").c_str(), L"wb");
        if (out) std::fwrite(bytes.data(), 1, bytes.size(), out), std::fclose(out);
        wchar_t name[128] = L"";
        GetClipboardFormatNameW(format.cfFormat, name, 128);
        return "{\"id\":" + std::to_string(format.cfFormat) + ",\"name\":" + Quote(name) + ",\"lindex\":" +
               std::to_string(format.lindex) + ",\"got\":" + (got && out ? "true" : "false") + "}";
    }
    std::wstring folder_;
    DWORD allowed_ = 0;
    int taken_ = 0;
};

// drop-target X Y WIDTH HEIGHT FOLDER: a window of another program that accepts drops; says
// where it is, then {"entered":true} when a drag enters it, then what the drop brought, and ends.
int RunDropTarget(const Args& args) {
    if (args.size() != 5 || FAILED(OleInitialize(nullptr))) return Fail("usage: drop-target X Y WIDTH HEIGHT FOLDER");
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"WexaProbeDropTarget";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, _wtoi(args[0].c_str()),
                                  _wtoi(args[1].c_str()), _wtoi(args[2].c_str()), _wtoi(args[3].c_str()), nullptr,
                                  nullptr, wc.hInstance, nullptr);
    DropTarget target(args[4]);
    RECT r{};
    if (!window || FAILED(RegisterDragDrop(window, &target)) || !GetWindowRect(window, &r)) return Fail("no target");
    Say("{\"window\":" + RectJson(r) + "}");
    for (MSG msg; GetMessageW(&msg, nullptr, 0, 0) > 0;) DispatchMessageW(&msg);
    RevokeDragDrop(window);
    return 0;
}

// post-quit: a WM_QUIT for the program's thread, as the system or another program may post one.
int PostQuit(const Args&) {
    HWND w = FindMainWindow();
    if (!w || !PostThreadMessageW(GetWindowThreadProcessId(w, nullptr), WM_QUIT, 0, 0)) return Fail("not posted");
    Say("{\"posted\":true}");
    return 0;
}

const ProbeCommand dropTarget{"drop-target", RunDropTarget};
const ProbeCommand postQuit{"post-quit", PostQuit};

} // namespace
} // namespace probe
