#include "toolkit/graphics/fonts.h"

#include "toolkit/core/dpi_scaling.h"
#include "toolkit/core/object_table.h"
#include "toolkit/graphics/image_table_seam.h"
#include "toolkit/graphics/inside_toolkit.h"
#include "toolkit/platform/files.h"
#include "toolkit/platform/shared_state.h"

#include <string>
#include <vector>

namespace wexa {
namespace {

struct FontRecord {
    win32::UniqueFont font;
    std::wstring face;
    int points = 0;
    int fixedDpi = 0; // 0: the height follows the layout density
    DWORD quality = DEFAULT_QUALITY;
};

struct FontState {
    ObjectTable<FontRecord> fonts;
    std::vector<std::wstring> registeredFontFiles; // each removed again at shutdown
    std::vector<HANDLE> memoryFonts;               // fonts registered from memory, likewise
};

FontState& Fonts() {
    static FontState state;
    return state;
}

// The font as the Toolkit makes it at the layout density (or its fixed one); null on failure.
HFONT MakeFont(const FontRecord& font, int layoutDpi) {
    int height = MulDiv(font.points, font.fixedDpi ? font.fixedDpi : layoutDpi, 72);
    return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, font.quality, 0, font.face.c_str());
}

FontHandle LoadFont(int number, FontRecord font) {
    if (!IsObjectNumber(number)) return FontHandle::Null;
    Fonts().fonts.Take(number); // the old font goes first, so a failed load leaves the number empty
    font.font.reset(MakeFont(font, detail::Shared().layoutDpi));
    if (!font.font) return FontHandle::Null;
    HFONT handle = font.font.get();
    Fonts().fonts.Put(number, std::move(font));
    return detail::ToHandle<FontHandle>(handle);
}

} // namespace

void detail::RemakeLayoutFonts(int dpi, FontSuccession& succession, std::vector<win32::UniqueFont>& retired) {
    Fonts().fonts.ForEach([&](int, FontRecord& font) {
        if (font.fixedDpi)
            return;
        HFONT made = MakeFont(font, dpi);
        if (!made)
            return; // the old font stays, at its old height
        succession[font.font.get()] = made;
        retired.push_back(std::move(font.font));
        font.font.reset(made);
    });
}

// After the fonts made from the registrations are gone.
void detail::ReleaseGraphics() {
    ImageTable().Clear();
    FontState& s = Fonts();
    s.fonts.Clear();
    for (const std::wstring& file : s.registeredFontFiles) RemoveFontResourceExW(file.c_str(), FR_PRIVATE, nullptr);
    for (HANDLE fonts : s.memoryFonts) RemoveFontMemResourceEx(fonts);
    s = FontState{};
}

FontHandle LoadToolkitFont(int number, std::u16string_view face, int points) {
    return LoadFont(number, {{}, detail::Wide(face), points, 0, DEFAULT_QUALITY});
}

FontHandle LoadToolkitFontAtDpi(int number, std::u16string_view face, int points, int dpi) {
    return LoadFont(number, {{}, detail::Wide(face), points, dpi > 0 ? dpi : ReferenceDpi, ANTIALIASED_QUALITY});
}

FontHandle FontHandleOf(int number) {
    FontRecord* font = Fonts().fonts.Find(number);
    return font ? detail::ToHandle<FontHandle>(font->font.get()) : FontHandle::Null;
}

bool RegisterPrivateFontFile(std::u16string_view path) {
    if (!IsUsablePath(path)) return false;
    std::wstring file = detail::Wide(path);
    if (AddFontResourceExW(file.c_str(), FR_PRIVATE, nullptr) <= 0) return false;
    Fonts().registeredFontFiles.push_back(std::move(file));
    return true;
}

bool RegisterPrivateFontData(std::span<const unsigned char> bytes) {
    if (bytes.empty() || bytes.size() > MAXDWORD) return false;
    DWORD added = 0;
    // The platform copies the bytes; it only takes them through a pointer to non-const.
    HANDLE fonts = AddFontMemResourceEx(const_cast<unsigned char*>(bytes.data()), static_cast<DWORD>(bytes.size()),
                                        nullptr, &added);
    if (!fonts) return false;
    Fonts().memoryFonts.push_back(fonts);
    return added > 0;
}

// Asked with a quality no Toolkit font has: Wine hands out the face it matched before for the
// same request, even after a new registration, and a Toolkit font made after a registration
// must not get the substitute matched here before it.
bool HasFontFace(std::u16string_view face) {
    std::wstring wanted = detail::Wide(face);
    if (wanted.empty() || wanted.size() >= LF_FACESIZE) return false;
    win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    win32::UniqueFont font(CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                                       CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, 0, wanted.c_str()));
    if (!dc || !font) return false;
    win32::SelectedObject selected(dc.get(), font.get());
    wchar_t chosen[LF_FACESIZE] = L"";
    return GetTextFaceW(dc.get(), LF_FACESIZE, chosen) > 0 && lstrcmpiW(chosen, wanted.c_str()) == 0;
}

} // namespace wexa
