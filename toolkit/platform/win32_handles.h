#pragma once
// One small owner per platform object, each named after what it releases.
#include <windows.h>

#include <unknwn.h>

#include <memory>
#include <type_traits>
#include <utility>

namespace wexa::win32 {

template <typename H, typename Traits> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        reset(o.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    H get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::Invalid(); }
    H release() { return std::exchange(h_, Traits::Invalid()); }
    void reset(H h = Traits::Invalid()) {
        H old = std::exchange(h_, h);
        if (old != Traits::Invalid()) Traits::Close(old);
    }

private:
    H h_ = Traits::Invalid();
};

// What holds nothing: null for most handles, INVALID_HANDLE_VALUE for files and searches.
template <typename H> struct NullIsInvalid {
    static H Invalid() { return nullptr; }
};
struct MinusOneIsInvalid {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
};

struct WindowTraits : NullIsInvalid<HWND> { static void Close(HWND h) { DestroyWindow(h); } };
template <typename G> struct GdiObjectTraits : NullIsInvalid<G> { static void Close(G h) { DeleteObject(h); } };
struct MemoryDcTraits : NullIsInvalid<HDC> { static void Close(HDC h) { DeleteDC(h); } };
struct KernelHandleTraits : MinusOneIsInvalid { static void Close(HANDLE h) { CloseHandle(h); } };
struct FindTraits : MinusOneIsInvalid { static void Close(HANDLE h) { FindClose(h); } };
struct AcceleratorTraits : NullIsInvalid<HACCEL> { static void Close(HACCEL h) { DestroyAcceleratorTable(h); } };
struct GlobalMemoryTraits : NullIsInvalid<HGLOBAL> { static void Close(HGLOBAL h) { GlobalFree(h); } };
struct EnhMetafileTraits : NullIsInvalid<HENHMETAFILE> { static void Close(HENHMETAFILE h) { DeleteEnhMetaFile(h); } };
struct ModuleTraits : NullIsInvalid<HMODULE> { static void Close(HMODULE h) { FreeLibrary(h); } };

using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueFile = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueFind = UniqueHandle<HANDLE, FindTraits>;
using UniqueAccelerators = UniqueHandle<HACCEL, AcceleratorTraits>;
using UniqueGlobal = UniqueHandle<HGLOBAL, GlobalMemoryTraits>;
using UniqueEnhMetafile = UniqueHandle<HENHMETAFILE, EnhMetafileTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;

// A bitmap with more than one owner, deleted with the last.
using SharedBitmap = std::shared_ptr<std::remove_pointer_t<HBITMAP>>;
inline SharedBitmap Share(UniqueBitmap bitmap) {
    return SharedBitmap(bitmap.release(), [](HBITMAP shared) { DeleteObject(shared); });
}

// A reference to a COM object, released with its owner.
struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface> using ComReference = std::unique_ptr<Interface, ComRelease>;

// What a scope object did is undone when it ends, so it is never copied.
struct Scope {
    Scope() = default;
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
};

// A device context borrowed from a window (or the screen, with a null window).
class WindowDc : Scope {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context, put back on destruction.
class SelectedObject : Scope {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (old_) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A palette selected into a device context and realised; the old one is put back and
// realised again on destruction.
class SelectedPalette : Scope {
public:
    SelectedPalette(HDC dc, HPALETTE palette) : dc_(dc), old_(SelectPalette(dc, palette, FALSE)) {
        RealizePalette(dc_);
    }
    ~SelectedPalette() {
        if (!old_) return;
        SelectPalette(dc_, old_, FALSE);
        RealizePalette(dc_);
    }

private:
    HDC dc_;
    HPALETTE old_;
};

// An enhanced metafile being recorded in memory. Finish ends the recording and hands over
// the metafile; a recording that is never finished is ended and its metafile deleted.
class MetafileRecording : Scope {
public:
    explicit MetafileRecording(const RECT& frame) : dc_(CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr)) {}
    ~MetafileRecording() { UniqueEnhMetafile unfinished(Finish()); }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    HENHMETAFILE Finish() { return dc_ ? CloseEnhMetaFile(std::exchange(dc_, nullptr)) : nullptr; }

private:
    HDC dc_;
};

// A global memory block locked for as long as this lives.
template <typename T> class GlobalLock : Scope {
public:
    explicit GlobalLock(HGLOBAL block) : block_(block), data_(static_cast<T*>(::GlobalLock(block))) {}
    ~GlobalLock() {
        if (data_) ::GlobalUnlock(block_);
    }
    T* get() const { return data_; }
    explicit operator bool() const { return data_ != nullptr; }

private:
    HGLOBAL block_;
    T* data_;
};

// A window's painting, from BeginPaint to EndPaint.
class PaintScope : Scope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

} // namespace wexa::win32
