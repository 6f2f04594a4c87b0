// Dragging a picture out of a gadget: an OLE drag, copy only, whose data object makes each
// format afresh whenever a drop target asks for it, at once, while the drag still runs.
#include "toolkit/clipboard_drag/picture.h"

#include "picture_formats.h"
#include "toolkit/gadgets/inside_toolkit.h"
#include "toolkit/platform/shared_state.h"

#include <ole2.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <vector>

namespace wexa {
namespace {

// IUnknown for an object of one interface, named by its IID, which deletes itself with its
// last reference.
template <typename Interface, const IID& InterfaceId> class ComObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = iid == IID_IUnknown || iid == InterfaceId ? static_cast<Interface*>(this) : nullptr;
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

protected:
    virtual ~ComObject() = default;

private:
    std::atomic<ULONG> references_{1};
};

// Dropped when the button is released, given up with Escape; the system's copy cursor.
class DropSource final : public ComObject<IDropSource, IID_IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape) return DRAGDROP_S_CANCEL;
        return keys & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

enum class Offer { Png, Dib, Outlines, FileDescriptor, FileContents };

FORMATETC FormatOf(UINT format, DWORD medium, LONG index = -1) {
    return {static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, index, medium};
}

bool Matches(const FORMATETC& offered, const FORMATETC& asked) {
    return offered.cfFormat == asked.cfFormat && (offered.tymed & asked.tymed) && asked.dwAspect == DVASPECT_CONTENT &&
           (asked.lindex == offered.lindex || asked.lindex == -1);
}

// The PNG as the one file of a file group: its name and size.
win32::UniqueGlobal FileDescriptorOf(std::u16string_view name, std::size_t bytes) {
    win32::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(FILEGROUPDESCRIPTORW)));
    win32::GlobalLock<FILEGROUPDESCRIPTORW> group(block.get());
    if (!group) return {};
    group.get()->cItems = 1;
    FILEDESCRIPTORW& file = group.get()->fgd[0];
    file.dwFlags = FD_FILESIZE | FD_PROGRESSUI;
    file.nFileSizeLow = static_cast<DWORD>(bytes);
    file.nFileSizeHigh = static_cast<DWORD>(static_cast<std::uint64_t>(bytes) >> 32);
    name.copy(reinterpret_cast<char16_t*>(file.cFileName), MAX_PATH - 1);
    return block;
}

// The picture's formats in the clipboard's order, then the PNG as a file. What the system's
// drag image helper sets is kept and handed back, as it needs for a target in another process.
class PictureData final : public ComObject<IDataObject, IID_IDataObject> {
public:
    PictureData(const Picture& picture, std::u16string_view fileName) : picture_(&picture), fileName_(fileName) {
        const bool png = picture.png.outcome == EncodedImage::Outcome::Encoded;
        if (png) Add(Offer::Png, FormatOf(detail::PngFormat(), TYMED_HGLOBAL));
        if (!IsNull(ImageHandleOf(picture.image))) Add(Offer::Dib, FormatOf(CF_DIB, TYMED_HGLOBAL));
        if (picture.outlines) Add(Offer::Outlines, FormatOf(CF_ENHMETAFILE, TYMED_ENHMF));
        if (!png) return;
        Add(Offer::FileDescriptor, FormatOf(RegisterClipboardFormatW(CFSTR_FILEDESCRIPTORW), TYMED_HGLOBAL));
        Add(Offer::FileContents, FormatOf(RegisterClipboardFormatW(CFSTR_FILECONTENTS), TYMED_HGLOBAL, 0));
    }
    bool OffersAnything() const { return !formats_.empty(); }
    // After the drag: a target that kept the object gets nothing more of a picture that may be gone.
    void LetGo() { picture_ = nullptr; }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* asked, STGMEDIUM* medium) override {
        if (!asked || !medium) return E_INVALIDARG;
        *medium = {};
        if (const STGMEDIUM* kept = KeptFor(*asked)) return Lend(*kept, *medium);
        const std::ptrdiff_t at = Find(*asked);
        if (at < 0) return DV_E_FORMATETC;
        if (!picture_) return E_UNEXPECTED;
        return Make(offers_[at], *medium) ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* asked) override {
        return asked && (Find(*asked) >= 0 || KeptFor(*asked)) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* canonical) override {
        if (canonical) canonical->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL handedOver) override {
        if (!format || !medium) return E_INVALIDARG;
        if (!handedOver) return E_NOTIMPL; // only what becomes this object's is kept
        FORMATETC kept = *format;
        kept.ptd = nullptr;
        for (auto& [was, old] : kept_)
            if (was.cfFormat == kept.cfFormat) {
                ReleaseStgMedium(&old);
                was = kept, old = *medium;
                return S_OK;
            }
        kept_.push_back({kept, *medium});
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        return SHCreateStdEnumFmtEtc(static_cast<UINT>(formats_.size()), formats_.data(), formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    ~PictureData() override {
        for (auto& [format, kept] : kept_) ReleaseStgMedium(&kept);
    }
    void Add(Offer offer, const FORMATETC& format) {
        offers_.push_back(offer);
        formats_.push_back(format);
    }
    std::ptrdiff_t Find(const FORMATETC& asked) const {
        for (std::size_t i = 0; i < formats_.size(); ++i)
            if (Matches(formats_[i], asked)) return static_cast<std::ptrdiff_t>(i);
        return -1;
    }
    const STGMEDIUM* KeptFor(const FORMATETC& asked) const {
        for (const auto& [format, kept] : kept_)
            if (Matches(format, asked)) return &kept;
        return nullptr;
    }
    // A kept medium, lent: the taker's release releases this object instead.
    HRESULT Lend(const STGMEDIUM& kept, STGMEDIUM& medium) {
        medium = kept;
        medium.pUnkForRelease = this;
        AddRef();
        return S_OK;
    }
    bool Make(Offer offer, STGMEDIUM& medium) const {
        win32::UniqueGlobal block;
        switch (offer) {
        case Offer::Png:
        case Offer::FileContents:
            block = detail::PngBlockOf(*picture_);
            break;
        case Offer::Dib:
            block = detail::PackedDibOf(*picture_);
            break;
        case Offer::Outlines:
            medium.tymed = TYMED_ENHMF;
            medium.hEnhMetaFile = detail::OutlinesOf(*picture_).release();
            return medium.hEnhMetaFile != nullptr;
        case Offer::FileDescriptor:
            block = FileDescriptorOf(fileName_, picture_->png.bytes.size());
            break;
        }
        medium.tymed = TYMED_HGLOBAL;
        medium.hGlobal = block.release();
        return medium.hGlobal != nullptr;
    }

    const Picture* picture_;
    std::u16string fileName_;
    std::vector<Offer> offers_;
    std::vector<FORMATETC> formats_; // in the order they are offered
    std::vector<std::pair<FORMATETC, STGMEDIUM>> kept_;
};

// What the view shows of the picture, from the view's top-left corner to the parent's edge.
win32::UniqueBitmap ShownPart(HWND view, HBITMAP picture, SIZE& size) {
    BITMAP bitmap{};
    RECT shown{}, parent{};
    GetWindowRect(view, &shown);
    GetClientRect(GetParent(view), &parent);
    MapWindowPoints(GetParent(view), nullptr, reinterpret_cast<POINT*>(&parent), 2);
    if (!GetObjectW(picture, sizeof bitmap, &bitmap) || !IntersectRect(&shown, &shown, &parent)) return {};
    size = {std::min<LONG>(bitmap.bmWidth, shown.right - shown.left),
            std::min<LONG>(bitmap.bmHeight, shown.bottom - shown.top)};
    win32::WindowDc screen(nullptr);
    win32::UniqueMemoryDc from(CreateCompatibleDC(screen.get())), to(CreateCompatibleDC(screen.get()));
    win32::UniqueBitmap part(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
    if (!from || !to || !part) return {};
    win32::SelectedObject source(from.get(), picture), target(to.get(), part.get());
    BitBlt(to.get(), 0, 0, size.cx, size.cy, from.get(), 0, 0, SRCCOPY);
    return part;
}

// The picture follows the pointer, held where it was taken, where the system has a drag image.
void ShowDragImage(HWND view, HBITMAP picture, IDataObject* data) {
    IDragSourceHelper* made = nullptr;
    if (FAILED(CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDragSourceHelper,
                                reinterpret_cast<void**>(&made))))
        return;
    win32::ComReference<IDragSourceHelper> helper(made);
    SHDRAGIMAGE image{};
    win32::UniqueBitmap part = ShownPart(view, picture, image.sizeDragImage);
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(view, &at); // the pointer may have left the picture by now: it holds the nearest edge
    image.ptOffset = {std::clamp<LONG>(at.x, 0, image.sizeDragImage.cx),
                      std::clamp<LONG>(at.y, 0, image.sizeDragImage.cy)};
    image.hbmpDragImage = part.get();
    image.crColorKey = CLR_NONE;
    if (part && SUCCEEDED(helper->InitializeFromBitmap(&image, data))) part.release(); // the helper's now
}

} // namespace

bool DragPicture(const Picture& picture, int fromGadget, std::u16string_view fileName) {
    HWND view = detail::ControlOf(fromGadget);
    win32::ComReference<PictureData> data(new PictureData(picture, fileName));
    if (!view || !data->OffersAnything()) return false;
    ShowDragImage(view, detail::FromHandle<HBITMAP>(ImageHandleOf(picture.image)), data.get());
    win32::ComReference<IDropSource> source(new DropSource);
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT dragged = DoDragDrop(data.get(), source.get(), DROPEFFECT_COPY, &effect);
    data->LetGo();
    return dragged == DRAGDROP_S_DROP || dragged == DRAGDROP_S_CANCEL;
}

} // namespace wexa
