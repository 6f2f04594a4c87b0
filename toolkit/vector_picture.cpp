// The vector picture is drawn the way the image's text is: the same glyph run, measured in
// the same font, at the same place. GDI turns the run into outlines in a path on a memory
// device context; they are read back and filled on the metafile. (Text drawn on a metafile
// itself, even inside a path, may be recorded as text, which needs the font where it plays.)
#include "toolkit/vector_picture.h"

#include "toolkit/detail/glyph_run.h"
#include "toolkit/detail/toolkit_state.h"
#include "toolkit/dpi_scaling.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace wexa {
namespace {

using detail::GlyphRun;

// Path points are whole device units: the outlines are taken at this many times the picture's
// size, so that they keep 1/16 of a pixel, and the metafile's logical unit is that fraction.
constexpr int Precision = 16;
constexpr int CoordinateLimit = 1 << 27; // GDI's reach for coordinates
// Few glyphs per path: a metafile's FillPath takes time that grows faster than its path
// (measured under Wine: 256 glyphs a path take 30 times as long as 4), and a short path
// bounds the memory of the points read back however long the line.
constexpr std::size_t GlyphsPerPath = 4;
constexpr int HundredthsOfMmPerInch = 2540; // the metafile frame's unit
// The picture's antialiased edges are darker than the share of the pixel the glyph covers,
// so at mid-grey its glyphs reach about a third of a pixel beyond their outlines (measured
// under Wine). The outlines are made bolder by that much, so that the vector picture has the
// weight the bitmap shows. In 1/16 pixel.
constexpr double Bolding = 5;

struct Path {
    std::vector<POINT> points;
    std::vector<BYTE> types;
};

win32::UniqueFont EnlargedFont(HFONT font) {
    LOGFONTW face{};
    if (GetObjectW(font, sizeof face, &face) != sizeof face) return {};
    face.lfHeight *= Precision;
    face.lfWidth *= Precision;
    return win32::UniqueFont(CreateFontIndirectW(&face));
}

// Glyphs [first, last) of the run as outlines, in the memory DC's device units.
bool TracePiece(HDC dc, const GlyphRun& run, POINT origin, std::size_t first, std::size_t last, Path& path) {
    if (!BeginPath(dc) || !DrawGlyphRun(dc, origin.x, origin.y, run, first, last) || !EndPath(dc)) return false;
    const int count = GetPath(dc, nullptr, nullptr, 0);
    path.points.resize(static_cast<std::size_t>(std::max(count, 0)));
    path.types.resize(path.points.size());
    return count == 0 || (count > 0 && GetPath(dc, path.points.data(), path.types.data(), count) == count);
}

POINT operator-(POINT a, POINT b) {
    return {a.x - b.x, a.y - b.y};
}

// Twice the area the figures enclose, its sign the side on which they are filled.
double SignedArea(const Path& path) {
    double area = 0;
    for (std::size_t i = 0, start = 0; i < path.points.size(); ++i) {
        const bool last = i + 1 == path.points.size() || path.types[i + 1] == PT_MOVETO;
        const POINT a = path.points[i], b = path.points[last ? start : i + 1];
        area += double(a.x) * b.y - double(b.x) * a.y;
        if (last) start = i + 1;
    }
    return area;
}

// The nearest point of the figure [begin, end) before (step -1) or after (step 1) point i
// that lies elsewhere, as a unit vector from it; zero when every point is the same.
std::pair<double, double> Towards(const Path& path, std::size_t begin, std::size_t end, std::size_t i, long step) {
    const long n = static_cast<long>(end - begin);
    for (long k = 1; k < n; ++k) {
        const POINT d =
            path.points[begin + static_cast<std::size_t>(((long(i - begin) + step * k) % n + n) % n)] - path.points[i];
        if (const double length = std::hypot(d.x, d.y); length > 0) return {d.x / length, d.y / length};
    }
    return {0, 0};
}

// Moves every edge of the figures `by` units away from the filled side, as a heavier weight of
// the font would: each point along the bisector of its edges, far enough for both to move `by`.
void Embolden(Path& path, double by) {
    const Path original = path;
    by *= SignedArea(original) > 0 ? 1 : -1;
    for (std::size_t begin = 0, end; begin < original.points.size(); begin = end) {
        end = begin + 1;
        while (end < original.points.size() && original.types[end] != PT_MOVETO) ++end;
        for (std::size_t i = begin; i < end; ++i) {
            const auto [ix, iy] = Towards(original, begin, end, i, -1); // reversed: from the previous point
            const auto [ox, oy] = Towards(original, begin, end, i, 1);
            const double q = 1 - (ix * ox + iy * oy);
            if (q < 0.1) continue; // a spike that turns back on itself
            path.points[i].x += std::lround(by * (oy - iy) / q);
            path.points[i].y -= std::lround(by * (ox - ix) / q);
        }
    }
}

bool FillPiece(HDC metafile, const Path& path) {
    if (path.points.empty()) return true; // spaces
    return BeginPath(metafile) &&
           PolyDraw(metafile, path.points.data(), path.types.data(), static_cast<int>(path.points.size())) &&
           EndPath(metafile) && FillPath(metafile);
}

// The glyphs are traced in the enlarged font at Precision times their places in the run,
// which was measured in the picture's own font; the baseline is where that font has it.
bool RecordOutlines(HDC metafile, HFONT font, int x, int y, std::u16string_view text) {
    win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    win32::UniqueFont enlarged = EnlargedFont(font);
    if (!dc || !enlarged) return false;
    win32::SelectedObject own(dc.get(), font);
    TEXTMETRICW metrics{};
    GlyphRun run = detail::GlyphRunOf(dc.get(), detail::Wide(text));
    if (!GetTextMetricsW(dc.get(), &metrics) || run.Size() != text.size()) return false;
    if (run.Width() >= CoordinateLimit / Precision - x) return false;
    for (int& end : run.ends) end *= Precision;
    win32::SelectedObject large(dc.get(), enlarged.get());
    SetTextAlign(dc.get(), TA_BASELINE | TA_LEFT);
    SetBkMode(dc.get(), TRANSPARENT);
    const POINT origin{Precision * x, Precision * (y + metrics.tmAscent)};
    Path path;
    for (std::size_t first = 0; first < run.Size(); first += GlyphsPerPath) {
        if (!TracePiece(dc.get(), run, origin, first, std::min(first + GlyphsPerPath, run.Size()), path)) return false;
        Embolden(path, Bolding);
        if (!FillPiece(metafile, path)) return false;
    }
    return true;
}

// One logical unit is 1/Precision of a picture pixel whatever the reference device: the
// viewport spans the frame in the device units the metafile's header gives for it.
bool MapPictureUnits(HDC metafile, int width, int height, const RECT& frame) {
    const int deviceWidth =
        MulDiv(frame.right, GetDeviceCaps(metafile, HORZRES), 100 * GetDeviceCaps(metafile, HORZSIZE));
    const int deviceHeight =
        MulDiv(frame.bottom, GetDeviceCaps(metafile, VERTRES), 100 * GetDeviceCaps(metafile, VERTSIZE));
    return SetMapMode(metafile, MM_ANISOTROPIC) &&
           SetWindowExtEx(metafile, Precision * width, Precision * height, nullptr) &&
           SetViewportExtEx(metafile, deviceWidth, deviceHeight, nullptr);
}

// The white box, then black outlines filled as TrueType fills them (nonzero winding), inside it.
void PrepareBox(HDC metafile, int width, int height) {
    SelectObject(metafile, GetStockObject(NULL_PEN));
    SelectObject(metafile, GetStockObject(WHITE_BRUSH));
    Rectangle(metafile, 0, 0, Precision * width + 1, Precision * height + 1); // a null pen leaves off the last unit
    IntersectClipRect(metafile, 0, 0, Precision * width, Precision * height);
    SelectObject(metafile, GetStockObject(BLACK_BRUSH));
    SetPolyFillMode(metafile, WINDING);
}

} // namespace

VectorPicture::~VectorPicture() {
    if (*this) DeleteEnhMetaFile(detail::FromHandle<HENHMETAFILE>(metafile_));
}

std::size_t VectorPicture::Bytes() const {
    return *this ? GetEnhMetaFileBits(detail::FromHandle<HENHMETAFILE>(metafile_), 0, nullptr) : 0;
}

VectorPicture DrawVectorPicture(int width, int height, FontHandle font, int x, int y, std::u16string_view text) {
    if (text.empty() || width <= 0 || height <= 0 || width >= CoordinateLimit / Precision ||
        height >= CoordinateLimit / Precision)
        return {};
    const RECT frame{0, 0, MulDiv(width, HundredthsOfMmPerInch, ReferenceDpi),
                     MulDiv(height, HundredthsOfMmPerInch, ReferenceDpi)};
    win32::MetafileRecording recording(frame);
    if (!recording || !MapPictureUnits(recording.get(), width, height, frame)) return {};
    PrepareBox(recording.get(), width, height);
    HFONT face = IsNull(font) ? static_cast<HFONT>(GetStockObject(SYSTEM_FONT)) : detail::FromHandle<HFONT>(font);
    if (!RecordOutlines(recording.get(), face, x, y, text)) return {};
    return VectorPicture(detail::ToHandle<MetafileHandle>(recording.Finish()));
}

} // namespace wexa
