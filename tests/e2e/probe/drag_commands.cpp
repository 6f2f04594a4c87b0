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
// order, each asked for and its bytes (a metafile's records) saved to FOLDER\<place>.bin.
// Inside Drop; or, as programs that copy in the background do, later: the data object is kept
// from Drop and read from the target's own loop, a second after the drop at the earliest and
// once FOLDER\read exists, so that the test can change the program's picture in between.
class DropTarget : public IDropTarget {
public:
    DropTarget(std::wstring folder, bool later) : folder_(std::move(folder)), later_(later) {}
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
        if (later_) {
            data->AddRef();
            kept_ = data, droppedAt_ = GetTickCount();
            Say("{\"allowed\":" + std::to_string(allowed_) + ",\"kept\":true}");
        } else {
            TakeAll(data);
        }
        return DragOver(0, {}, effect);
    }
    // From the loop: the kept object read once it is time, then let go.
    void TakeKeptWhenAsked() {
        if (!kept_ || GetTickCount() - droppedAt_ < 1000 ||
            GetFileAttributesW((folder_ + L"\\read").c_str()) == INVALID_FILE_ATTRIBUTES)
            return;
        TakeAll(kept_);
        kept_->Release();
        kept_ = nullptr;
    }

private:
    void TakeAll(IDataObject* data) {
        IEnumFORMATETC* formats = nullptr;
        std::string out;
        if (SUCCEEDED(data->EnumFormatEtc(DATADIR_GET, &formats)))
            for (FORMATETC f; formats->Next(1, &f, nullptr) == S_OK;) out += (out.empty() ? "" : ",") + Take(data, f);
        if (formats) formats->Release();
        Say("{\"allowed\":" + std::to_string(allowed_) + ",\"dropped\":[" + out + "]}");
        PostQuitMessage(0);
    }
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
    bool later_;
    DWORD allowed_ = 0;
    int taken_ = 0;
    IDataObject* kept_ = nullptr;
    DWORD droppedAt_ = 0;
};

// drop-target X Y WIDTH HEIGHT FOLDER [later]: a window of another program that accepts drops;
// says where it is, then {"entered":true} when a drag enters it, then what the drop brought
// (later: {"kept":true} at the drop, and what the kept object gave when it was read), and ends.
int RunDropTarget(const Args& args) {
    const bool later = args.size() == 6 && args[5] == L"later";
    if ((args.size() != 5 && !later) || FAILED(OleInitialize(nullptr)))
        return Fail("usage: drop-target X Y WIDTH HEIGHT FOLDER [later]");
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"WexaProbeDropTarget";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, _wtoi(args[0].c_str()),
                                  _wtoi(args[1].c_str()), _wtoi(args[2].c_str()), _wtoi(args[3].c_str()), nullptr,
                                  nullptr, wc.hInstance, nullptr);
    DropTarget target(args[4], later);
    RECT r{};
    if (!window || FAILED(RegisterDragDrop(window, &target)) || !GetWindowRect(window, &r)) return Fail("no target");
    if (later) SetTimer(window, 1, 50, nullptr);
    Say("{\"window\":" + RectJson(r) + "}");
    for (MSG msg; GetMessageW(&msg, nullptr, 0, 0) > 0;) {
        if (msg.message == WM_TIMER) target.TakeKeptWhenAsked();
        DispatchMessageW(&msg);
    }
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
