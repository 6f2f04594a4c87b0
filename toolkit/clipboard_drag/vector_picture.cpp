// The vector picture is drawn the way the image's text is: the same glyph run, measured in
// the same font, at the same places. Each glyph's outline is read from the font at the
// picture's size, fitted to the pixel grid as the image's glyphs are, and filled on the
// metafile as a path. (Text drawn on a metafile itself, even inside a path, may be recorded
// as text, which needs the font where it plays.)
#include "toolkit/clipboard_drag/picture.h"

#include "toolkit/core/dpi_scaling.h"
#include "toolkit/graphics/glyph_run.h"
#include "toolkit/graphics/inside_toolkit.h"
#include "toolkit/platform/shared_state.h"
#include "toolkit/platform/win32_handles.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace wexa {
namespace {

// The metafile's logical unit is this fraction of a pixel: the outlines keep their
// fractional places, which show when the picture is enlarged.
constexpr int Precision = 16;
constexpr int CoordinateLimit = 1 << 27; // GDI's reach for coordinates
// Few glyphs per path: a metafile's FillPath takes time that grows faster than its path
// (measured under Wine: 256 glyphs a path take 30 times as long as 4), and a short path
// bounds the memory of the points however long the line.
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

struct Point {
    double x, y;
};
Point Unfixed(POINTFX p) { return {p.x.value + p.x.fract / 65536.0, p.y.value + p.y.fract / 65536.0}; }
Point Between(Point a, Point b, double t) { return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)}; }

// The outline's points in 1/Precision pixel, the outline's y upwards from the baseline.
struct Pen {
    Path& path;
    POINT origin;
    void Add(Point p, BYTE type) {
        path.points.push_back({origin.x + std::lround(p.x * Precision), origin.y - std::lround(p.y * Precision)});
        path.types.push_back(type);
    }
};

// A quadratic B-spline's arcs as cubic Beziers: the on-curve points between two control
// points are their midpoints, the last point is on the curve.
void AddQuadraticSpline(Pen& pen, POINTFX from, const POINTFX* points, WORD count) {
    Point start = Unfixed(from);
    for (WORD i = 0; i + 1 < count; ++i) {
        const Point control = Unfixed(points[i]), next = Unfixed(points[i + 1]);
        const Point end = i + 2 == count ? next : Between(control, next, 0.5);
        pen.Add(Between(start, control, 2.0 / 3), PT_BEZIERTO);
        pen.Add(Between(end, control, 2.0 / 3), PT_BEZIERTO);
        pen.Add(end, PT_BEZIERTO);
        start = end;
    }
}

// The glyph's outline at the font's own size, grid-fitted as the text renderer fits the
// picture's glyphs, so that stems have the bitmap's widths at the bitmap's places.
bool AddGlyphOutline(HDC dc, WORD glyph, Pen pen) {
    static constexpr MAT2 Identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    constexpr UINT format = GGO_NATIVE | GGO_GLYPH_INDEX;
    GLYPHMETRICS metrics{};
    const DWORD bytes = GetGlyphOutlineW(dc, glyph, format, &metrics, 0, nullptr, &Identity);
    if (bytes == GDI_ERROR) return false;
    std::vector<std::uint8_t> outline(bytes);
    if (bytes && GetGlyphOutlineW(dc, glyph, format, &metrics, bytes, outline.data(), &Identity) == GDI_ERROR)
        return false;
    for (std::size_t at = 0; at + sizeof(TTPOLYGONHEADER) <= bytes;) {
        const auto* polygon = reinterpret_cast<const TTPOLYGONHEADER*>(outline.data() + at);
        POINTFX current = polygon->pfxStart;
        pen.Add(Unfixed(current), PT_MOVETO);
        const std::size_t end = std::min<std::size_t>(at + polygon->cb, bytes);
        for (std::size_t c = at + sizeof *polygon; c + sizeof(TTPOLYCURVE) <= end;) {
            const auto* curve = reinterpret_cast<const TTPOLYCURVE*>(outline.data() + c);
            if (curve->cpfx == 0 || c + sizeof *curve + (curve->cpfx - 1) * sizeof(POINTFX) > bytes) return false;
            if (curve->wType == TT_PRIM_QSPLINE) AddQuadraticSpline(pen, current, curve->apfx, curve->cpfx);
            for (WORD i = 0; curve->wType != TT_PRIM_QSPLINE && i < curve->cpfx; ++i)
                pen.Add(Unfixed(curve->apfx[i]), curve->wType == TT_PRIM_LINE ? PT_LINETO : PT_BEZIERTO);
            current = curve->apfx[curve->cpfx - 1];
            c += sizeof *curve + (curve->cpfx - 1) * sizeof(POINTFX);
        }
        pen.path.types.back() |= PT_CLOSEFIGURE;
        at += std::max<std::size_t>(polygon->cb, sizeof *polygon); // a figure's size never leaves it in place
    }
    return true;
}

// Moves every point of the figures `by` units away from the filled side, across the line
// through its neighbours: a TrueType outline has its filled side on its right, y upwards.
void Embolden(Path& path, double by) {
    const Path original = path;
    for (std::size_t begin = 0, end = 0; begin < original.points.size(); begin = end) {
        for (end = begin + 1; end < original.points.size() && original.types[end] != PT_MOVETO;) ++end;
        for (std::size_t i = begin, n = end - begin; i < end; ++i) {
            const POINT a = original.points[begin + (i - begin + n - 1) % n];
            const POINT b = original.points[begin + (i - begin + 1) % n];
            const double dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
            if (length == 0) continue;
            path.points[i].x += std::lround(by * dy / length);
            path.points[i].y -= std::lround(by * dx / length);
        }
    }
}

bool FillPiece(HDC metafile, const Path& path) {
    if (path.points.empty()) return true; // spaces
    return BeginPath(metafile) &&
           PolyDraw(metafile, path.points.data(), path.types.data(), static_cast<int>(path.points.size())) &&
           EndPath(metafile) && FillPath(metafile);
}

// Each glyph at its place in the run, measured in the picture's own font; the baseline is
// where that font has it.
bool RecordOutlines(HDC metafile, HFONT font, int x, int y, std::u16string_view text) {
    win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return false;
    win32::SelectedObject own(dc.get(), font);
    TEXTMETRICW metrics{};
    detail::GlyphRun run = detail::GlyphRunOf(dc.get(), detail::Wide(text));
    if (!GetTextMetricsW(dc.get(), &metrics) || run.Size() != text.size()) return false;
    if (run.Width() >= CoordinateLimit / Precision - x) return false;
    Path path;
    for (std::size_t i = 0; i < run.Size(); ++i) {
        const POINT origin{Precision * (x + (i > 0 ? run.ends[i - 1] : 0)), Precision * (y + metrics.tmAscent)};
        if (!AddGlyphOutline(dc.get(), run.glyphs[i], Pen{path, origin})) return false;
        if ((i + 1) % GlyphsPerPath && i + 1 < run.Size()) continue;
        Embolden(path, Bolding);
        if (!FillPiece(metafile, path)) return false;
        path.points.clear(), path.types.clear();
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

VectorPicture DrawImageOutlines(int number, FontHandle font, int x, int y, std::u16string_view text) {
    const std::optional<Size> image = detail::ImageSizeOf(number);
    if (!image || text.empty()) return {};
    const int width = image->width, height = image->height;
    if (width >= CoordinateLimit / Precision || height >= CoordinateLimit / Precision) return {};
    const RECT frame{0, 0, MulDiv(width, HundredthsOfMmPerInch, ReferenceDpi),
                     MulDiv(height, HundredthsOfMmPerInch, ReferenceDpi)};
    win32::MetafileRecording recording(frame);
    if (!recording || !MapPictureUnits(recording.get(), width, height, frame)) return {};
    PrepareBox(recording.get(), width, height);
    HFONT face = IsNull(font) ? static_cast<HFONT>(GetStockObject(SYSTEM_FONT)) : detail::FromHandle<HFONT>(font);
    if (!RecordOutlines(recording.get(), face, x, y, text)) return {};
    return VectorPicture(recording.Finish());
}

} // namespace wexa
