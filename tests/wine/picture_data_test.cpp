// The drag's data object under Wine, held as a drop target that reads later holds it.
#include "toolkit/clipboard_drag/picture_data_seam.h"

#include "tests/wine/test_bitmaps.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace wexa {
namespace {

using Bytes = std::vector<std::uint8_t>;
struct Release {
    void operator()(IUnknown* object) const { object->Release(); }
};

Bytes BytesOf(const STGMEDIUM& medium) {
    Bytes bytes;
    if (medium.tymed == TYMED_ENHMF) {
        bytes.resize(GetEnhMetaFileBits(medium.hEnhMetaFile, 0, nullptr));
        GetEnhMetaFileBits(medium.hEnhMetaFile, static_cast<UINT>(bytes.size()), bytes.data());
    } else if (const auto* block = static_cast<const std::uint8_t*>(GlobalLock(medium.hGlobal))) {
        bytes.assign(block, block + GlobalSize(medium.hGlobal));
        GlobalUnlock(medium.hGlobal);
    }
    return bytes;
}

// Every enumerated format with what GetData gives for it, read as a target reads and released.
std::vector<std::pair<CLIPFORMAT, Bytes>> TakeAll(IDataObject* data) {
    std::vector<std::pair<CLIPFORMAT, Bytes>> taken;
    IEnumFORMATETC* formats = nullptr;
    if (FAILED(data->EnumFormatEtc(DATADIR_GET, &formats))) return taken;
    for (FORMATETC format; formats->Next(1, &format, nullptr) == S_OK;) {
        STGMEDIUM medium{};
        EXPECT_EQ(data->QueryGetData(&format), S_OK) << format.cfFormat;
        const bool got = SUCCEEDED(data->GetData(&format, &medium));
        taken.emplace_back(format.cfFormat, got ? BytesOf(medium) : Bytes{});
        if (got) ReleaseStgMedium(&medium);
    }
    formats->Release();
    return taken;
}

class GivenUp final : public IDropSource { // the drag ends at its first look
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override { return DRAGDROP_S_CANCEL; }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// What an object's count of references is now.
ULONG ReferencesOf(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

STGMEDIUM BlockOf(const char* text) {
    STGMEDIUM medium{TYMED_HGLOBAL};
    medium.hGlobal = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text));
    std::memcpy(GlobalLock(medium.hGlobal), text, std::strlen(text));
    GlobalUnlock(medium.hGlobal);
    return medium;
}

class PictureData : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        testing::PaintPattern(testing::InstallImage(0, 90, 50));
        Picture made = PictureOfImage(0);
        made.outlines.reset(CloseEnhMetaFile(CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr)));
        data_.reset(detail::NewPictureData(std::make_shared<const Picture>(std::move(made)), u"wexazeile.png"));
    }
    void TearDown() override {
        data_.reset();
        detail::ImageTable().Clear();
        OleUninitialize();
    }
    std::unique_ptr<IDataObject, Release> data_;
};

// The program lets go of the picture and the image number gets another image: the object, still
// held, gives every format with the bytes it gave at first.
TEST_F(PictureData, GivesEveryFormatItEnumeratesBeforeAndAfterADragAndAnotherImage) {
    const auto before = TakeAll(data_.get());
    ASSERT_EQ(before.size(), 5u);
    for (const auto& [format, bytes] : before) EXPECT_FALSE(bytes.empty()) << format;
    GivenUp source;
    DWORD effect = 0;
    EXPECT_EQ(DoDragDrop(data_.get(), &source, DROPEFFECT_COPY, &effect), DRAGDROP_S_CANCEL);
    testing::InstallImage(0, 45, 50);
    EXPECT_EQ(TakeAll(data_.get()), before);
    FORMATETC text{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, canonical{};
    STGMEDIUM none{};
    EXPECT_EQ(data_->QueryGetData(&text), DV_E_FORMATETC);
    EXPECT_EQ(data_->GetData(&text, &none), DV_E_FORMATETC);
    EXPECT_EQ(data_->GetCanonicalFormatEtc(&text, &canonical), DATA_S_SAMEFORMATETC);
    EXPECT_EQ(canonical.cfFormat, CF_TEXT);
    EXPECT_EQ(canonical.ptd, nullptr);
}

// What the drag image helper sets is kept as COM expects: enumerated after the picture's own,
// given out as copies a taker releases, replaced while a copy is still held, and each medium
// released exactly once, the last when the object goes.
TEST_F(PictureData, KeepsWhatOthersSetAndReleasesEachMediumOnce) {
    FORMATETC block{static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"DragImageBits")), nullptr, DVASPECT_CONTENT,
                    -1, TYMED_HGLOBAL};
    FORMATETC stream{static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"DragContext")), nullptr, DVASPECT_CONTENT,
                     -1, TYMED_ISTREAM};
    IStream* counted = nullptr; // the test's own two references: one released too often leaves it alive
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &counted), S_OK);
    counted->AddRef();
    STGMEDIUM first = BlockOf("first"), second = BlockOf("second!"), held{}, lent{TYMED_ISTREAM};
    lent.pstm = counted;
    counted->AddRef(); // the object's, handed over
    ASSERT_EQ(data_->SetData(&block, &first, TRUE), S_OK);
    ASSERT_EQ(data_->SetData(&stream, &lent, TRUE), S_OK);
    ASSERT_EQ(data_->GetData(&block, &held), S_OK);
    ASSERT_EQ(data_->SetData(&block, &second, TRUE), S_OK);
    EXPECT_EQ(BytesOf(held), (Bytes{'f', 'i', 'r', 's', 't'}));
    ReleaseStgMedium(&held);
    const auto taken = TakeAll(data_.get());
    ASSERT_EQ(taken.size(), 7u);
    EXPECT_EQ(taken[5], std::make_pair(block.cfFormat, Bytes{'s', 'e', 'c', 'o', 'n', 'd', '!'}));
    EXPECT_EQ(taken[6].first, stream.cfFormat);
    EXPECT_EQ(ReferencesOf(counted), 3u);
    data_.reset();
    EXPECT_EQ(ReferencesOf(counted), 2u);
    while (counted->Release()) { // what is left of the test's own, however many that is
    }
}

} // namespace
} // namespace wexa
