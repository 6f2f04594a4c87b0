#include "toolkit/fonts.h"

#include "toolkit/detail/toolkit_state.h"
#include "toolkit/dpi_scaling.h"
#include "toolkit/files.h"

namespace wexa {
namespace {

FontHandle LoadFont(int number, detail::FontRecord font) {
    detail::ToolkitState& s = detail::State();
    if (!IsObjectNumber(number)) return FontHandle::Null;
    s.fonts.Take(number); // the old font goes first, so a failed load leaves the number empty
    font.font.reset(detail::MakeFont(font, s.layoutDpi));
    if (!font.font) return FontHandle::Null;
    HFONT handle = font.font.get();
    s.fonts.Put(number, std::move(font));
    return detail::ToHandle<FontHandle>(handle);
}

} // namespace

HFONT detail::MakeFont(const FontRecord& font, int layoutDpi) {
    int height = MulDiv(font.points, font.fixedDpi ? font.fixedDpi : layoutDpi, 72);
    return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, font.quality, 0, font.face.c_str());
}

FontHandle LoadToolkitFont(int number, std::u16string_view face, int points) {
    return LoadFont(number, {{}, detail::Wide(face), points, 0, DEFAULT_QUALITY});
}

FontHandle LoadToolkitFontAtDpi(int number, std::u16string_view face, int points, int dpi) {
    return LoadFont(number, {{}, detail::Wide(face), points, dpi > 0 ? dpi : ReferenceDpi, ANTIALIASED_QUALITY});
}

FontHandle FontHandleOf(int number) {
    detail::FontRecord* font = detail::State().fonts.Find(number);
    return font ? detail::ToHandle<FontHandle>(font->font.get()) : FontHandle::Null;
}

bool RegisterPrivateFontFile(std::u16string_view path) {
    if (!IsUsablePath(path)) return false;
    std::wstring file = detail::Wide(path);
    if (AddFontResourceExW(file.c_str(), FR_PRIVATE, nullptr) <= 0) return false;
    detail::State().registeredFontFiles.push_back(std::move(file));
    return true;
}

bool RegisterPrivateFontData(std::span<const unsigned char> bytes) {
    if (bytes.empty() || bytes.size() > MAXDWORD) return false;
    DWORD added = 0;
    // The platform copies the bytes; it only takes them through a pointer to non-const.
    HANDLE fonts = AddFontMemResourceEx(const_cast<unsigned char*>(bytes.data()), static_cast<DWORD>(bytes.size()),
                                        nullptr, &added);
    if (!fonts) return false;
    detail::State().memoryFonts.push_back(fonts);
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
