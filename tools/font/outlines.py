"""Outlines of the Vevoviv parts: consonant frames, features, vowel marks,
pips, and the slots the placements put them in.

Straight strokes are merged with a polygon union so every glyph is made of
clean, non-overlapping contours; round parts (dots, rings) are quadratic
curves and are kept apart from the strokes. Coordinates are font units,
y up. Most edges sit on a 25 unit grid, which is one pixel at the 40 px/em
the program draws its characters at, so strokes render sharp there.
"""

from __future__ import annotations

import math
from dataclasses import dataclass

import pyclipper

from script import CONSONANTS, VOWELS

STROKE = 100       # frame strokes: 4 px at 40 px/em, 1.9 px at 19 px/em
ASCENDER = 775     # where a voiced consonant's stem ends
X_TOP = 600        # top of a consonant frame in CV and VC signs
CORNER = 40        # radius of the rounded outer corners


@dataclass(frozen=True)
class Box:
    x0: int
    y0: int
    x1: int
    y1: int

    @property
    def width(self):
        return self.x1 - self.x0

    @property
    def height(self):
        return self.y1 - self.y0


@dataclass(frozen=True)
class MarkSlot:
    cx: int
    cy: int
    scale: float


# The placements. CV: consonant, then the mark to its right. VC: the mark
# first, on the left. CVC: two narrower consonants side by side with the
# vowel mark beneath, between them, so the frames are raised to make room.
SLOTS: dict[str, Box | MarkSlot] = {
    "cv.consonant": Box(50, 0, 500, X_TOP),
    "cv.mark": MarkSlot(700, 300, 1.0),
    "vc.mark": MarkSlot(150, 300, 1.0),
    "vc.consonant": Box(350, 0, 800, X_TOP),
    "cvc.first": Box(25, 250, 375, X_TOP + 25),
    "cvc.mark": MarkSlot(437, 62, 0.9),
    "cvc.last": Box(500, 250, 850, X_TOP + 25),
    "sign": Box(75, 0, 425, 600),
    "notdef": Box(50, 0, 450, 700),
}


class Outline:
    """Polygons to be merged plus curve contours that stand apart."""

    def __init__(self):
        self.polygons: list[list[tuple[int, int]]] = []
        self.circles: list[tuple[float, float, float, bool]] = []  # cx, cy, r, hole

    def rect(self, x0, y0, x1, y1):
        self.polygons.append([(x0, y0), (x1, y0), (x1, y1), (x0, y1)])

    def polygon(self, points):
        self.polygons.append([(round(x), round(y)) for x, y in points])

    def dot(self, cx, cy, r):
        self.circles.append((cx, cy, r, False))

    def ring(self, cx, cy, r_out, r_in):
        self.circles.append((cx, cy, r_out, False))
        self.circles.append((cx, cy, r_in, True))

    def add(self, other: "Outline"):
        self.polygons.extend(other.polygons)
        self.circles.extend(other.circles)

    # -- to contours --------------------------------------------------------
    def merged_polygons(self) -> list[list[tuple[int, int]]]:
        """Union of the straight parts, as TrueType contours: outer ones
        clockwise, holes counter-clockwise, each starting at its lowest-left
        point, sorted, so the result does not depend on the clipper's
        internal order."""
        if not self.polygons:
            return []
        pc = pyclipper.Pyclipper()
        for poly in self.polygons:
            if not pyclipper.Orientation(poly):
                poly = poly[::-1]
            pc.AddPath(poly, pyclipper.PT_SUBJECT, True)
        merged = pc.Execute(pyclipper.CT_UNION, pyclipper.PFT_NONZERO,
                            pyclipper.PFT_NONZERO)
        contours = []
        for path in merged:
            path = _drop_collinear([tuple(p) for p in path])
            if len(path) < 3:
                continue
            path = path[::-1]  # clipper's outer paths run counter-clockwise
            start = min(range(len(path)), key=lambda i: (path[i][1], path[i][0]))
            contours.append(path[start:] + path[:start])
        contours.sort(key=lambda c: (c[0][1], c[0][0], len(c)))
        return contours

    def check_apart(self):
        """Round parts must not touch the strokes (or each other), else the
        non-overlapping outline promise breaks."""
        pieces = [_circle_polygon(cx, cy, r) for cx, cy, r, hole in self.circles
                  if not hole]
        if self.polygons:
            pieces.append(None)
        for i, a in enumerate(pieces):
            for b in pieces[i + 1:]:
                if _overlap(a, b, self.polygons):
                    raise ValueError("a round part overlaps another part")

    def draw(self, pen):
        self.check_apart()
        for contour in self.merged_polygons():
            _draw_rounded(pen, contour, CORNER)
        for cx, cy, r, hole in sorted(self.circles):
            _draw_circle(pen, cx, cy, r, clockwise=not hole)


def _draw_rounded(pen, contour, radius):
    """Draws a clockwise-outside contour with its outer right-angle corners
    rounded by one quadratic curve each; inner corners stay sharp so the
    hollows keep their shape at small sizes."""
    n = len(contour)
    points = []  # (point, on_curve)
    for i, b in enumerate(contour):
        a, c = contour[i - 1], contour[(i + 1) % n]
        e1 = (b[0] - a[0], b[1] - a[1])
        e2 = (c[0] - b[0], c[1] - b[1])
        square = (e1[0] == 0) != (e1[1] == 0) and (e2[0] == 0) != (e2[1] == 0)
        convex = e1[0] * e2[1] - e1[1] * e2[0] < 0
        r = min(radius, math.hypot(*e1) / 2, math.hypot(*e2) / 2)
        if not (square and convex) or r < 1:
            points.append((b, True))
            continue
        l1, l2 = math.hypot(*e1), math.hypot(*e2)
        points.append(((round(b[0] - e1[0] * r / l1), round(b[1] - e1[1] * r / l1)), True))
        points.append((b, False))
        points.append(((round(b[0] + e2[0] * r / l2), round(b[1] + e2[1] * r / l2)), True))
    # Neighbouring roundings of a short edge may meet in one point.
    merged = []
    for p in points:
        if merged and merged[-1] == p:
            continue
        merged.append(p)
    while len(merged) > 1 and merged[0] == merged[-1]:
        merged.pop()
    start = next(i for i, (_, on) in enumerate(merged) if on)
    merged = merged[start:] + merged[:start]
    pen.moveTo(merged[0][0])
    i = 1
    while i < len(merged):
        p, on = merged[i]
        if on:
            pen.lineTo(p)
            i += 1
        else:
            end = merged[(i + 1) % len(merged)][0]
            pen.qCurveTo(p, end)
            i += 2
    pen.closePath()


def _drop_collinear(path):
    out = []
    n = len(path)
    for i in range(n):
        a, b, c = path[i - 1], path[i], path[(i + 1) % n]
        if (b[0] - a[0]) * (c[1] - b[1]) - (b[1] - a[1]) * (c[0] - b[0]) != 0:
            out.append(b)
    return out


def _circle_polygon(cx, cy, r, n=48):
    return [(round(cx + r * math.cos(2 * math.pi * k / n)),
             round(cy + r * math.sin(2 * math.pi * k / n))) for k in range(n)]


def _overlap(a, b, strokes):
    pc = pyclipper.Pyclipper()
    pc.AddPath(a, pyclipper.PT_SUBJECT, True)
    if b is None:
        pc.AddPaths(strokes, pyclipper.PT_CLIP, True)
    else:
        pc.AddPath(b, pyclipper.PT_CLIP, True)
    return bool(pc.Execute(pyclipper.CT_INTERSECTION, pyclipper.PFT_NONZERO,
                           pyclipper.PFT_NONZERO))


def _draw_circle(pen, cx, cy, r, clockwise):
    # Eight off-curve points on an octagon around the circle; the implied
    # on-curve points between them lie on the circle itself.
    reach = r / math.cos(math.pi / 8)
    step = -1 if clockwise else 1
    points = []
    for k in range(8):
        angle = math.pi / 8 + step * k * math.pi / 4
        points.append((round(cx + reach * math.cos(angle)),
                       round(cy + reach * math.sin(angle))))
    pen.qCurveTo(*points, None)
    pen.closePath()


# --- consonants ---------------------------------------------------------------

def consonant(letter: str, box: Box, stroke: int = STROKE) -> Outline:
    frame, features = CONSONANTS[letter]
    o = Outline()
    x0, y0, x1, y1, s = box.x0, box.y0, box.x1, box.y1, stroke
    xm = (x0 + x1) // 2
    # Every frame has both side stems, so a vowel mark beside it can never
    # be read as something inside it.
    top = ASCENDER if "voice" in features else y1
    o.rect(x0, y0, x0 + s, top)
    o.rect(x1 - s, y0, x1, y1)
    if frame in ("box", "arch"):
        o.rect(x0, y1 - s, x1, y1)
    if frame in ("box", "cup"):
        o.rect(x0, y0, x1, y0 + s)
    # the hollow the features sit in
    inner = Box(x0 + s, y0 + (s if frame in ("box", "cup") else 0),
                x1 - s, y1 - (s if frame in ("box", "arch") else 0))
    for feature in features:
        if feature == "hiss":
            o.rect(xm - s // 2, y0, xm + s // 2, y1)
        elif feature == "side":
            # a little above the middle, so the hollow under it stays open
            ym = (inner.y0 + y1 - s) // 2 + s // 4
            o.rect(x0, ym - s // 2, x1, ym + s // 2)
        elif feature == "nasal":
            r = min(inner.width, inner.height) * 0.32
            cy = inner.y0 + inner.height * (0.45 if frame == "arch" else 0.5)
            o.dot((inner.x0 + inner.x1) / 2, cy, r)
        elif feature == "glide":
            o.add(_slant(box, s))
        elif feature != "voice":
            raise ValueError(f"unknown feature {feature!r}")
    return o


def _slant(box: Box, s: int) -> Outline:
    """A stroke from the top left corner to the bottom right corner, cut
    square to the frame so it ends inside the stems."""
    o = Outline()
    dx, dy = box.width - s, box.height
    half = s / 2 * math.hypot(dx, dy) / dy  # half its width, measured level
    x_top, x_bot = box.x0 + s / 2, box.x1 - s / 2
    o.polygon([(x_top - half, box.y1), (x_top + half, box.y1),
               (x_bot + half, box.y0), (x_bot - half, box.y0)])
    # clip what sticks out of the frame's box
    pc = pyclipper.Pyclipper()
    pc.AddPath(o.polygons[0], pyclipper.PT_SUBJECT, True)
    pc.AddPath([(box.x0, box.y0), (box.x1, box.y0), (box.x1, box.y1),
                (box.x0, box.y1)], pyclipper.PT_CLIP, True)
    clipped = Outline()
    for path in pc.Execute(pyclipper.CT_INTERSECTION, pyclipper.PFT_NONZERO,
                           pyclipper.PFT_NONZERO):
        clipped.polygon(path)
    return clipped


# --- vowel marks ----------------------------------------------------------------

def vowel_mark(vowel: str, slot: MarkSlot) -> Outline:
    o = Outline()
    k, cx, cy = slot.scale, slot.cx, slot.cy

    def half(v):
        return round(v * k / 2)

    kind = VOWELS[vowel]
    if kind == "dot":
        o.dot(cx, cy, 95 * k)
    elif kind == "bar":
        w, h = half(250), half(100)
        o.rect(cx - w, cy - h, cx + w, cy + h)
    elif kind == "stroke":
        w, h = half(100), half(350)
        o.rect(cx - w, cy - h, cx + w, cy + h)
    elif kind == "ring":
        o.ring(cx, cy, 148 * k, 56 * k)
    elif kind == "twin":
        gap = 90 * k
        rad = 72 * k
        o.dot(cx, cy + gap / 2 + rad, rad)
        o.dot(cx, cy - gap / 2 - rad, rad)
    else:
        raise ValueError(f"unknown mark {kind!r}")
    return o


# --- signs that are not syllables -------------------------------------------------

def pips(pattern: int, box: Box) -> Outline:
    """Diamond pips in a 2 x 3 cell; bit 0 top left, down the left column,
    then the right column."""
    o = Outline()
    half = 85
    xs = (box.x0 + half, box.x1 - half)
    ys = (box.y1 - half, (box.y0 + box.y1) // 2, box.y0 + half)
    for bit in range(6):
        if pattern >> bit & 1:
            x, y = xs[bit // 3], ys[bit % 3]
            o.polygon([(x, y - half), (x + half, y), (x, y + half), (x - half, y)])
    return o


def notdef(box: Box) -> Outline:
    o = Outline()
    s = 75
    o.rect(box.x0, box.y0, box.x1, box.y0 + s)
    o.rect(box.x0, box.y1 - s, box.x1, box.y1)
    o.rect(box.x0, box.y0, box.x0 + s, box.y1)
    o.rect(box.x1 - s, box.y0, box.x1, box.y1)
    return o


def part_outline(part) -> Outline:
    slot = SLOTS[part.slot]
    if part.kind == "consonant":
        return consonant(part.what, slot)
    if part.kind == "vowel":
        return vowel_mark(part.what, slot)
    if part.kind == "pips":
        return pips(int(part.what, 2), slot)
    if part.kind == "notdef":
        return notdef(slot)
    raise ValueError(f"unknown part kind {part.kind!r}")


def glyph_outline(record) -> Outline:
    o = Outline()
    for part in record.parts:
        o.add(part_outline(part))
    return o
