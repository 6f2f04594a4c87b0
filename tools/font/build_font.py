#!/usr/bin/python3
"""Builds the Vevoviv TrueType font from the glyph records in script.py.

    /usr/bin/python3 tools/font/build_font.py --out vevoviv.ttf

The output depends on nothing but these sources: dates and version are
constants, so two builds give the same bytes.
"""

from __future__ import annotations

import argparse
import calendar
import io
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from fontTools.fontBuilder import FontBuilder  # noqa: E402
from fontTools.pens.ttGlyphPen import TTGlyphPen  # noqa: E402
from fontTools.ttLib import newTable  # noqa: E402
from fontTools.ttLib.tables._c_m_a_p import cmap_classes  # noqa: E402

import outlines  # noqa: E402
from script import GLYPHS, UNITS_PER_EM  # noqa: E402

FAMILY = "Vevoviv"
STYLE = "Regular"
VERSION_STRING = "001.001"
FONT_REVISION = 1.0
# Fixed, so the bytes never depend on when the font was built.
CREATED_UTC = (2024, 3, 1, 12, 0, 0)

NAMES = {
    0: "Vevoviv syllabic font for Wexa Font Tastatur. Free to use, copy and change.",
    1: FAMILY,
    2: STYLE,
    3: f"{FAMILY} {STYLE} {VERSION_STRING}",
    4: FAMILY,
    5: VERSION_STRING,
    6: FAMILY,
    7: "Vevoviv is the name of the Wexa Font Tastatur script; it is no trademark.",
    9: "Wexa Font Tastatur developers",
    10: ("Vevoviv syllabic font for Wexa Font Tastatur: 180 syllable signs, "
         "each a consonant frame with a vowel mark before, after or beneath it."),
    12: "tools/font/README.md in the Wexa Font Tastatur sources",
}

VERTICAL = dict(ascender=784, descender=-112, line_gap=15,
                typo_ascender=355, typo_descender=-109, typo_line_gap=15)


def _mac_timestamp(parts) -> int:
    """Seconds since 1904-01-01, the epoch of the head table."""
    return calendar.timegm(parts) - calendar.timegm((1904, 1, 1, 0, 0, 0))


def _cmap_tables(records):
    unicode_map = {r.code: r.name for r in records if r.code is not None}
    windows = cmap_classes[4](4)
    windows.platformID, windows.platEncID, windows.language = 3, 1, 0
    windows.cmap = dict(sorted(unicode_map.items()))
    # The Mac table maps Mac Roman bytes to the glyph of the same character,
    # so a character means the same sign on either platform.
    mac = cmap_classes[0](0)
    mac.platformID, mac.platEncID, mac.language = 1, 0, 0
    mac.cmap = {}
    for byte in range(256):
        char = ord(bytes([byte]).decode("mac_roman"))
        if char in unicode_map:
            mac.cmap[byte] = unicode_map[char]
    table = newTable("cmap")
    table.tableVersion = 0
    table.tables = [mac, windows]
    return table


def build_font(records=GLYPHS):
    """One pass over the records gives glyph order, cmap, outlines and
    metrics."""
    fb = FontBuilder(UNITS_PER_EM, isTTF=True)
    stamp = _mac_timestamp(CREATED_UTC)
    fb.setupHead(unitsPerEm=UNITS_PER_EM, fontRevision=FONT_REVISION,
                 created=stamp, modified=stamp, macStyle=0, lowestRecPPEM=9,
                 flags=0x000B, fontDirectionHint=2, indexToLocFormat=0)
    order, glyphs, advances = [], {}, {}
    for record in records:
        order.append(record.name)
        pen = TTGlyphPen(None)
        outlines.glyph_outline(record).draw(pen)
        glyphs[record.name] = pen.glyph()
        advances[record.name] = record.advance
    fb.setupGlyphOrder(order)
    fb.font["cmap"] = _cmap_tables(records)
    fb.setupGlyf(glyphs)
    glyf = fb.font["glyf"]
    fb.setupHorizontalMetrics({
        name: (advances[name], getattr(glyf[name], "xMin", 0)) for name in order})
    fb.setupHorizontalHeader(ascent=VERTICAL["ascender"],
                             descent=VERTICAL["descender"],
                             lineGap=VERTICAL["line_gap"])
    fb.setupOS2(
        version=1, usWeightClass=400, usWidthClass=5, fsType=0,
        ySubscriptXSize=650, ySubscriptYSize=600, ySubscriptXOffset=0,
        ySubscriptYOffset=75, ySuperscriptXSize=650, ySuperscriptYSize=600,
        ySuperscriptXOffset=0, ySuperscriptYOffset=350,
        yStrikeoutSize=50, yStrikeoutPosition=300,
        ulUnicodeRange1=0b11,  # Basic Latin, Latin-1 Supplement
        ulUnicodeRange2=0, ulUnicodeRange3=0, ulUnicodeRange4=0,
        ulCodePageRange1=1, ulCodePageRange2=0,  # Latin 1
        achVendID="NONE", fsSelection=0x40,
        usFirstCharIndex=min(r.code for r in records if r.code is not None),
        usLastCharIndex=max(r.code for r in records if r.code is not None),
        sTypoAscender=VERTICAL["typo_ascender"],
        sTypoDescender=VERTICAL["typo_descender"],
        sTypoLineGap=VERTICAL["typo_line_gap"],
        usWinAscent=VERTICAL["ascender"], usWinDescent=-VERTICAL["descender"])
    fb.setupNameTable(NAMES, windows=True, mac=True)
    fb.setupPost(keepGlyphNames=True, italicAngle=0, underlinePosition=-150,
                 underlineThickness=50, isFixedPitch=0)
    gasp = fb.font["gasp"] = newTable("gasp")
    gasp.version = 1
    gasp.gaspRange = {16: 0x0005, 0xFFFF: 0x000F}
    fb.font.recalcTimestamp = False
    return fb.font


def font_bytes(records=GLYPHS) -> bytes:
    buf = io.BytesIO()
    build_font(records).save(buf)
    return buf.getvalue()


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True, help="TTF file to write")
    args = parser.parse_args(argv)
    data = font_bytes()
    out_dir = os.path.dirname(os.path.abspath(args.out))
    os.makedirs(out_dir, exist_ok=True)
    # Write beside the target and rename, so a build never sees half a font.
    fd, tmp = tempfile.mkstemp(dir=out_dir, suffix=".tmp")
    try:
        with os.fdopen(fd, "wb") as f:
            f.write(data)
        os.chmod(tmp, 0o644)
        os.replace(tmp, args.out)
    except BaseException:
        if os.path.exists(tmp):
            os.unlink(tmp)
        raise
    return 0


if __name__ == "__main__":
    sys.exit(main())
