// Drawing on the Toolkit's images. Boxes are filled straight into the pixel memory; text
// is drawn by GDI by glyph index, white on black, into a private mask and then blended into
// the pixels, each colour channel with its own coverage. (Black drawn straight on white
// gets other edge values from the text renderer.) A long text goes through the mask in
// pieces, so the mask stays small however long the line: each piece owns a run of columns
// and is drawn with every glyph that may touch them, so those columns get the very
// coverage that one drawing of the whole text would give them.
#include "toolkit/graphics/glyph_run.h"
#include "image_drawing.h"
#include "toolkit/graphics/image_table_seam.h"
#include "toolkit/platform/shared_state.h"
#include "toolkit/graphics/images.h"
#include "toolkit/core/pixel_blend.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace wexa {
namespace {

using detail::DrawGlyphRun;
using detail::GlyphRun;
using detail::GlyphRunOf;

constexpr int MaskMinimumHeight = 50;
constexpr int MaskHeightMargin = 20; // below the height of "Hg"
constexpr wchar_t OverhangProbe[] = L"H";
constexpr wchar_t HeightProbe[] = L"Hg";
constexpr std::uint8_t InkThreshold = 200;
constexpr double CoordinateLimit = 1e12; // far outside any image, still exact as an integer
constexpr int PieceColumns = 4096;        // the columns of the image one piece of text owns

// GDI output reaches the pixels at once while drawing lasts, so the direct reads of the
// mask never see a half-finished text.
class GdiBatchLimitScope : win32::Scope {
public:
    GdiBatchLimitScope() : saved_(GdiSetBatchLimit(1)) {}
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
    Section section{detail::MakeBitmapSection(dc, width, -height), {}};
    if (auto pixels = detail::SectionPixels(section.bitmap.get(), width, height)) section.surface = *pixels;
    else section.bitmap.reset();
    section.surface.bottomUp = false; // what the section's header reports of its height has no sign
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
    DrawGlyphRun(probe.get(), 0, 0, GlyphRunOf(probe.get(), OverhangProbe));
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
    int maskNeedHeight = 0; // what the fonts selected so far ask of the mask
    int textClipWidth = 0;  // text reaches no further right: the width of a mask for a whole line
    int overhang = 0;
    int reach = 0; // how far a glyph's ink may reach outside its advance, either side
    int mode = DrawingModeOpaque;
    GdiBatchLimitScope batchLimit;
};

std::unique_ptr<DrawingContext>& Current() {
    thread_local std::unique_ptr<DrawingContext> context;
    return context;
}

void SelectDrawingFont(DrawingContext& c, HFONT font) {
    SelectObject(c.imageDc.get(), font);
    SelectObject(c.maskDc.get(), font);
    c.overhang = MeasureOverhang(c.maskDc.get());
    int textHeight = TextExtent(c.maskDc.get(), HeightProbe, 2).cy;
    c.maskNeedHeight = std::max({c.maskNeedHeight, MaskMinimumHeight, textHeight + MaskHeightMargin});
    c.textClipWidth = std::max(c.textClipWidth, c.pixels.width + 2 * c.overhang);
    TEXTMETRICW metrics{};
    GetTextMetricsW(c.maskDc.get(), &metrics);
    // Far more than any glyph of a text font reaches past its cell, and cheap: a few pixels per piece.
    c.reach = 2 * (std::max(metrics.tmMaxCharWidth, metrics.tmHeight) + c.overhang);
}

// The mask is made when text is first drawn, and made anew only when a text needs more.
bool EnsureMask(DrawingContext& c, int width) {
    if (c.maskBitmap && c.mask.width >= width && c.mask.height >= c.maskNeedHeight) return true;
    Section fresh = MakeTopDownSection(c.maskDc.get(), std::max(c.mask.width, width),
                                       std::max(c.mask.height, c.maskNeedHeight));
    if (!fresh.bitmap) return static_cast<bool>(c.maskBitmap);
    c.maskSelection.emplace(c.maskDc.get(), fresh.bitmap.get()); // puts the old mask's selection back first
    c.maskBitmap = std::move(fresh.bitmap);
    c.mask = fresh.surface;
    return true;
}

std::unique_ptr<DrawingContext> StartDrawing(int number) {
    detail::ImageRecord* record = detail::ImageTable().Find(number);
    std::optional<PixelSurface> pixels = record ? detail::ImagePixels(*record) : std::nullopt;
    if (!pixels) return nullptr;
    auto c = std::make_unique<DrawingContext>();
    c->image = number;
    c->pixels = *pixels;
    c->imageDc.reset(CreateCompatibleDC(nullptr));
    if (!c->imageDc) return nullptr;
    c->imageSelection.emplace(c->imageDc.get(), record->bitmap.get());
    c->maskDc.reset(CreateCompatibleDC(nullptr));
    if (!c->maskDc) return nullptr;
    PrepareWhiteOnBlack(c->maskDc.get());
    SelectDrawingFont(*c, static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    return c;
}

// Draws the glyphs [first, last] that may touch region columns [from, to), the run starting
// at region column start, into the clear mask, whose column 0 is region column from - reach;
// blends [from, to) into the image and clears the mask again. DrawGlyphRun draws nothing
// when no glyph may touch them (first > last) and nothing past the run's end.
void DrawPiece(DrawingContext& c, const GlyphRun& run, int start, long long from, long long to,
               const MaskBlend& blend) {
    const auto begin = run.ends.begin();
    const auto first = std::upper_bound(begin, run.ends.end(), from - start - c.reach) - begin;
    const auto last = std::lower_bound(begin, run.ends.end(), to - start + c.reach) - begin;
    DrawGlyphRun(c.maskDc.get(), static_cast<int>(start - from + c.reach), 0, run, first, last + 1);
    PixelSurface owned{c.mask.At(c.reach, 0), c.mask.stride, c.mask.width - c.reach, c.mask.height, false};
    MaskBlend piece = blend;
    piece.regionWidth = static_cast<int>(to - from);
    piece.destX = blend.destX + from;
    BlendMask(c.pixels, owned, piece);
    ClearMask(c.mask, c.mask.width, c.mask.height);
}

// Every glyph has its place in the run, so a piece of the run drawn at its place gives the
// same pixels as one drawing of the whole.
void DrawRun(DrawingContext& c, const GlyphRun& run, int start, const MaskBlend& blend) {
    // Only the region's columns inside the image are drawn.
    const long long from = std::max<long long>(0, -blend.destX);
    const long long to = std::min<long long>(blend.regionWidth, c.pixels.width - blend.destX);
    const int pieceMask = PieceColumns + 2 * c.reach;
    if (!EnsureMask(c, pieceMask) || c.mask.width < pieceMask) return; // an older, smaller mask cannot serve
    for (long long a = from; a < to; a += PieceColumns) {
        const long long b = std::min<long long>(a + PieceColumns, to);
        DrawPiece(c, run, start, a, b, blend);
    }
}

} // namespace

bool BeginImageDrawing(int number) {
    Current().reset(); // one drawing at a time
    Current() = StartDrawing(number);
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
    FillPixels(c->pixels, BoxInside(x, y, width, height, c->pixels.width, c->pixels.height), colour);
}

void SetDrawingFont(FontHandle font) {
    DrawingContext* c = Current().get();
    if (c && !IsNull(font)) SelectDrawingFont(*c, detail::FromHandle<HFONT>(font));
}

double DrawTextAt(double x, double y, std::u16string_view text, Colour colour) {
    DrawingContext* c = Current().get();
    if (!c || text.empty()) return x;
    const GlyphRun run = GlyphRunOf(c->maskDc.get(), detail::Wide(text));
    const int d = 2 * c->overhang;
    const int cx = run.Width() + c->overhang;
    // The region is cx + 2d wide from x - d, as wide as a mask for the whole line allows.
    MaskBlend blend{std::min(cx + 2 * d, c->textClipWidth), std::min(run.height, c->maskNeedHeight),
                    Truncated(x) - d, Truncated(y), colour, c->mode == DrawingModeOpaque, Black};
    DrawRun(*c, run, d, blend);
    return x + cx;
}

namespace detail {

void EndDrawingOnImage(int number) {
    if (Current() && Current()->image == number) Current().reset();
}

} // namespace detail
} // namespace wexa
