// Drawing on the Toolkit's images. Boxes are filled straight into the pixel memory; text
// is drawn by GDI white on black into a private mask and then blended into the pixels,
// each colour channel with its own coverage.
#include "toolkit/detail/image_drawing.h"
#include "toolkit/detail/toolkit_state.h"
#include "toolkit/images.h"
#include "toolkit/pixel_blend.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <optional>

namespace wexa {
namespace {

constexpr int MaskMinimumHeight = 50;
constexpr int MaskHeightMargin = 20; // below the height of "Hg"
constexpr wchar_t OverhangProbe[] = L"H";
constexpr wchar_t HeightProbe[] = L"Hg";
constexpr std::uint8_t InkThreshold = 200;
constexpr double CoordinateLimit = 1e12; // far outside any image, still exact as an integer

// GDI output reaches the pixels at once while drawing lasts, so the direct reads of the
// mask never see a half-finished text.
class GdiBatchLimitScope {
public:
    GdiBatchLimitScope() : saved_(GdiSetBatchLimit(1)) {}
    GdiBatchLimitScope(const GdiBatchLimitScope&) = delete;
    GdiBatchLimitScope& operator=(const GdiBatchLimitScope&) = delete;
    ~GdiBatchLimitScope() {
        if (saved_) GdiSetBatchLimit(saved_);
    }

private:
    DWORD saved_;
};

struct Section {
    win32::UniqueBitmap bitmap;
    PixelSurface surface;
};

Section MakeTopDownSection(HDC dc, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Section section{win32::UniqueBitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0)), {}};
    if (section.bitmap && bits)
        section.surface = {static_cast<std::uint8_t*>(bits), RowStride24(width), width, height, false};
    else
        section.bitmap.reset();
    return section;
}

void PrepareWhiteOnBlack(HDC dc) {
    SetBkMode(dc, OPAQUE);
    SetTextAlign(dc, TA_TOP | TA_LEFT);
    SetBkColor(dc, RGB(0, 0, 0));
    SetTextColor(dc, RGB(255, 255, 255));
}

SIZE TextExtent(HDC dc, const wchar_t* text, int length) {
    SIZE size{};
    if (!GetTextExtentPoint32W(dc, text, length, &size)) return SIZE{};
    return size;
}

// How far "H" in the DC's font reaches right of its advance, read off a drawn copy.
int MeasureOverhang(HDC fontDc) {
    SIZE advance = TextExtent(fontDc, OverhangProbe, 1);
    if (advance.cx <= 0 || advance.cy <= 0) return 0;
    win32::UniqueMemoryDc probe(CreateCompatibleDC(fontDc));
    if (!probe) return 0;
    Section canvas = MakeTopDownSection(probe.get(), 2 * advance.cx, advance.cy);
    if (!canvas.bitmap) return 0;
    win32::SelectedObject selected(probe.get(), canvas.bitmap.get());
    SelectObject(probe.get(), GetCurrentObject(fontDc, OBJ_FONT));
    PrepareWhiteOnBlack(probe.get());
    TextOutW(probe.get(), 0, 0, OverhangProbe, 1);
    GdiFlush();
    return OverhangFrom(RightmostInkColumn(canvas.surface, InkThreshold), advance.cx);
}

long long Truncated(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<long long>(std::clamp(v, -CoordinateLimit, CoordinateLimit));
}

// Members are released in reverse order: the mask before its device context, each bitmap
// deselected before it is deleted, the batch limit restored first.
struct DrawingContext {
    int image = -1;
    PixelSurface pixels;
    win32::UniqueMemoryDc imageDc;
    std::optional<win32::SelectedObject> imageSelection;
    win32::UniqueMemoryDc maskDc;
    win32::UniqueBitmap maskBitmap;
    std::optional<win32::SelectedObject> maskSelection;
    PixelSurface mask;
    int maskNeedWidth = 0; // what the fonts selected so far ask of the mask
    int maskNeedHeight = 0;
    int overhang = 0;
    std::optional<Colour> front;
    Colour background = Black;
    int mode = DrawingModeOpaque;
    GdiBatchLimitScope batchLimit;
};

std::unique_ptr<DrawingContext>& Current() {
    thread_local std::unique_ptr<DrawingContext> context;
    return context;
}

// The pixels of a 24-bit bitmap section, limited to the size the image table records.
std::optional<PixelSurface> PixelsOf(const detail::ImageRecord& record) {
    HBITMAP bitmap = record.bitmap.get();
    if (GetObjectType(bitmap) != OBJ_BITMAP) return std::nullopt;
    DIBSECTION section{};
    if (GetObjectW(bitmap, sizeof section, &section) != sizeof section || !section.dsBm.bmBits) return std::nullopt;
    const BITMAPINFOHEADER& header = section.dsBmih;
    if (header.biBitCount != 24 || header.biCompression != BI_RGB) return std::nullopt;
    int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    return PixelSurface{static_cast<std::uint8_t*>(section.dsBm.bmBits), RowStride24(header.biWidth),
                        std::min<int>(record.width, header.biWidth), std::min(record.height, height),
                        header.biHeight > 0};
}

void SelectDrawingFont(DrawingContext& c, HFONT font) {
    SelectObject(c.imageDc.get(), font);
    SelectObject(c.maskDc.get(), font);
    c.overhang = MeasureOverhang(c.maskDc.get());
    int textHeight = TextExtent(c.maskDc.get(), HeightProbe, 2).cy;
    c.maskNeedHeight = std::max({c.maskNeedHeight, MaskMinimumHeight, textHeight + MaskHeightMargin});
    c.maskNeedWidth = std::max(c.maskNeedWidth, c.pixels.width + 2 * c.overhang);
}

// The mask is made when text is first drawn, at the size the fonts asked for, and made
// anew only when a later font needs more; a long line so holds one mask at a time.
bool EnsureMask(DrawingContext& c) {
    if (c.maskBitmap && c.mask.width >= c.maskNeedWidth && c.mask.height >= c.maskNeedHeight) return true;
    Section fresh = MakeTopDownSection(c.maskDc.get(), std::max(c.mask.width, c.maskNeedWidth),
                                       std::max(c.mask.height, c.maskNeedHeight));
    if (!fresh.bitmap) return static_cast<bool>(c.maskBitmap);
    c.maskSelection.reset();
    c.maskSelection.emplace(c.maskDc.get(), fresh.bitmap.get());
    c.maskBitmap = std::move(fresh.bitmap);
    c.mask = fresh.surface;
    return true;
}

std::unique_ptr<DrawingContext> StartDrawing(int number, detail::ImageRecord& record) {
    std::optional<PixelSurface> pixels = PixelsOf(record);
    if (!pixels) return nullptr;
    auto c = std::make_unique<DrawingContext>();
    c->image = number;
    c->pixels = *pixels;
    c->imageDc.reset(CreateCompatibleDC(nullptr));
    if (!c->imageDc) return nullptr;
    c->imageSelection.emplace(c->imageDc.get(), record.bitmap.get());
    c->maskDc.reset(CreateCompatibleDC(nullptr));
    if (!c->maskDc) return nullptr;
    PrepareWhiteOnBlack(c->maskDc.get());
    SelectDrawingFont(*c, static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    return c;
}

} // namespace

bool BeginImageDrawing(int number) {
    Current().reset(); // one drawing at a time
    detail::ImageRecord* record = detail::State().images.Find(number);
    if (!record) return false;
    Current() = StartDrawing(number, *record);
    return Current() != nullptr;
}

void EndImageDrawing() { Current().reset(); }

void SetDrawingMode(int mode) {
    if (DrawingContext* c = Current().get(); c && (mode == DrawingModeOpaque || mode == DrawingModeTransparent))
        c->mode = mode;
}

void FillBox(int x, int y, int width, int height, Colour colour) {
    DrawingContext* c = Current().get();
    if (!c) return;
    c->front = colour;
    FillPixels(c->pixels, BoxInside(x, y, width, height, c->pixels.width, c->pixels.height), colour);
}

void SetDrawingFont(FontHandle font) {
    DrawingContext* c = Current().get();
    if (c && !IsNull(font)) SelectDrawingFont(*c, detail::FromHandle<HFONT>(font));
}

double DrawTextAt(double x, double y, std::u16string_view text, Colour colour) {
    DrawingContext* c = Current().get();
    if (!c || text.empty()) return x;
    c->front = colour;
    std::wstring wide = detail::Wide(text);
    int length = static_cast<int>(std::min<std::size_t>(wide.size(), INT_MAX));
    SIZE extent = TextExtent(c->maskDc.get(), wide.c_str(), length);
    int d = 2 * c->overhang;
    int cx = extent.cx + c->overhang;
    if (!EnsureMask(*c)) return x + cx;
    int cy = std::min<int>(extent.cy, c->mask.height);
    // Plain text output, no shaping: every code unit shows its glyph, the soft hyphen too.
    TextOutW(c->maskDc.get(), d, 0, wide.c_str(), length);
    MaskBlend blend{cx + 2 * d, cy, Truncated(x) - d, Truncated(y), colour, c->mode == DrawingModeOpaque,
                    c->background};
    BlendMask(c->pixels, c->mask, blend);
    ClearMask(c->mask, blend.regionWidth, blend.regionHeight);
    return x + cx;
}

namespace detail {

void EndDrawingOnImage(int number) {
    if (Current() && Current()->image == number) Current().reset();
}

} // namespace detail
} // namespace wexa
