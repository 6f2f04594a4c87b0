#include "toolkit/fonts.h"

#include "toolkit/detail/toolkit_state.h"
#include "toolkit/dpi_scaling.h"
#include "toolkit/path_rules.h"

namespace wexa {

FontHandle LoadToolkitFont(int number, std::u16string_view face, int points) {
    return LoadToolkitFontAtDpi(number, face, points, detail::State().fontDpi);
}

FontHandle LoadToolkitFontAtDpi(int number, std::u16string_view face, int points, int dpi) {
    detail::ToolkitState& s = detail::State();
    if (!s.fonts.Accepts(number)) return FontHandle::Null;
    s.fonts.Take(number); // the old font goes first, so a failed load leaves the number empty
    int height = MulDiv(points, dpi, 72);
    HFONT font = CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0, detail::Wide(face).c_str());
    if (!font) return FontHandle::Null;
    s.fonts.Put(number, win32::UniqueFont(font));
    return detail::ToHandle<FontHandle>(font);
}

FontHandle FontHandleOf(int number) {
    win32::UniqueFont* font = detail::State().fonts.Find(number);
    return font ? detail::ToHandle<FontHandle>(font->get()) : FontHandle::Null;
}

bool RegisterPrivateFontFile(std::u16string_view path) {
    if (!IsUsablePath(path)) return false;
    return AddFontResourceExW(detail::Wide(path).c_str(), FR_PRIVATE, nullptr) > 0;
}

} // namespace wexa
