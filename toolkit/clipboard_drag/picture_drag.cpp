// Dragging a picture out of a gadget: an OLE drag, copy only, whose data object shares the
// picture and makes each format afresh of it whenever a drop target asks, during the drag or
// long after.
#include "toolkit/clipboard_drag/picture.h"

#include "picture_formats.h"
#include "toolkit/clipboard_drag/picture_data_seam.h"
#include "toolkit/gadgets/inside_toolkit.h"
#include "toolkit/platform/shared_state.h"

#include <ole2.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <bit>
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

FORMATETC FormatEtcOf(const detail::PictureFormat& format) {
    return {static_cast<CLIPFORMAT>(detail::FormatIdOf(format.offer)), nullptr, DVASPECT_CONTENT, format.index,
            format.medium};
}

bool Matches(const FORMATETC& offered, const FORMATETC& asked) {
    return offered.cfFormat == asked.cfFormat && (offered.tymed & asked.tymed) && asked.dwAspect == DVASPECT_CONTENT &&
           (asked.lindex == offered.lindex || asked.lindex == -1);
}

// A copy of a kept medium for a taker, who releases it: its own block, bitmap or metafile, or
// one more reference to its stream or storage. None for a medium of another kind.
detail::Medium CopyOf(const STGMEDIUM& kept, CLIPFORMAT format) {
    STGMEDIUM copy{kept.tymed};
    if (kept.tymed == TYMED_ISTREAM || kept.tymed == TYMED_ISTORAGE) {
        copy.pstm = kept.pstm;
        copy.pstm->AddRef();
    } else if (std::has_single_bit(kept.tymed) &&
               (kept.tymed & (TYMED_HGLOBAL | TYMED_GDI | TYMED_MFPICT | TYMED_ENHMF))) {
        copy.hGlobal = OleDuplicateData(kept.hGlobal, format, 0);
    }
    if (!copy.hGlobal) copy.tymed = TYMED_NULL; // the same place as every other handle
    return detail::Medium(copy);
}

// The picture's formats in their order, each made afresh of the picture whenever it is asked
// for, for as long as anyone holds this object. What others set (the system's drag image helper)
// is kept, handed out as copies and released once, when it is replaced or this object goes.
class PictureData final : public ComObject<IDataObject, IID_IDataObject> {
public:
    PictureData(SharedPicture picture, std::u16string_view fileName)
        : picture_(std::move(picture)), fileName_(fileName) {
        for (const detail::PictureFormat& format : detail::PictureFormats)
            if (detail::Offers(*picture_, format.offer)) entries_.push_back({FormatEtcOf(format), &format, {}});
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* asked, STGMEDIUM* medium) override {
        if (!asked || !medium) return E_INVALIDARG;
        *medium = {};
        const Entry* entry = Find(*asked);
        if (!entry) return DV_E_FORMATETC;
        detail::Medium made = entry->format ? detail::MediumOf(*picture_, entry->format->offer, fileName_)
                                            : CopyOf(entry->kept.get(), asked->cfFormat);
        if (!made) return E_OUTOFMEMORY;
        *medium = made.HandOver();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* asked) override {
        return asked && Find(*asked) ? S_OK : DV_E_FORMATETC;
    }
    // Every format is its own canonical one.
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* asked, FORMATETC* canonical) override {
        if (!asked || !canonical) return E_INVALIDARG;
        *canonical = *asked;
        canonical->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL handedOver) override {
        if (!format || !medium) return E_INVALIDARG;
        detail::Medium taken = handedOver ? detail::Medium(*medium) : CopyOf(*medium, format->cfFormat);
        if (!taken) return DV_E_TYMED;
        Entry entry{*format, nullptr, std::move(taken)};
        entry.etc.ptd = nullptr;
        const auto was = std::ranges::find_if(
            entries_, [&](const Entry& other) { return !other.format && other.etc.cfFormat == format->cfFormat; });
        if (was == entries_.end())
            entries_.push_back(std::move(entry));
        else
            *was = std::move(entry); // the old medium is released: only copies of it were lent
        return S_OK;
    }
    // The picture's formats first, then what others set: whatever QueryGetData answers.
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        std::vector<FORMATETC> all;
        for (const Entry& entry : entries_) all.push_back(entry.etc);
        return SHCreateStdEnumFmtEtc(static_cast<UINT>(all.size()), all.data(), formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    struct Entry {
        FORMATETC etc;
        const detail::PictureFormat* format; // the picture's; null for what others set
        detail::Medium kept;                 // what others set
    };
    const Entry* Find(const FORMATETC& asked) const {
        const auto found =
            std::ranges::find_if(entries_, [&](const Entry& entry) { return Matches(entry.etc, asked); });
        return found == entries_.end() ? nullptr : &*found;
    }

    SharedPicture picture_;
    std::u16string fileName_;
    std::vector<Entry> entries_; // in the order they are offered
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

IDataObject* detail::NewPictureData(SharedPicture picture, std::u16string_view fileName) {
    return new PictureData(std::move(picture), fileName);
}

// A target may keep the object and read it after the drag: it answers for as long as it is held.
bool DragPicture(const SharedPicture& picture, int fromGadget, std::u16string_view fileName) {
    HWND view = detail::ControlOf(fromGadget);
    const auto offered = [&](const detail::PictureFormat& format) { return detail::Offers(*picture, format.offer); };
    if (!view || !picture || std::ranges::none_of(detail::PictureFormats, offered)) return false;
    win32::ComReference<IDataObject> data(detail::NewPictureData(picture, fileName));
    ShowDragImage(view, static_cast<HBITMAP>(picture->pixels.get()), data.get());
    win32::ComReference<IDropSource> source(new DropSource);
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT dragged = DoDragDrop(data.get(), source.get(), DROPEFFECT_COPY, &effect);
    return dragged == DRAGDROP_S_DROP || dragged == DRAGDROP_S_CANCEL;
}

} // namespace wexa
