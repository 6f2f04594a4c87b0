#!/usr/bin/python3
"""Checks of the Vevoviv font, mostly through tools that did not make it.

    /usr/bin/python3 tests/font/test_font.py --font build/generated/vevoviv.ttf
    VEVOVIV_FONT=... /usr/bin/python3 tests/font/test_font.py [TestClass ...]

Without a font given, a fresh one is built into a temporary folder.
"""

from __future__ import annotations

import collections
import itertools
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
GENERATOR_DIR = os.path.normpath(os.path.join(HERE, "..", "..", "tools", "font"))
GENERATOR = os.path.join(GENERATOR_DIR, "build_font.py")
PYTHON = sys.executable or "/usr/bin/python3"

from fontTools.ttLib import TTFont  # noqa: E402
from fontTools.ttLib.sfnt import calcChecksum  # noqa: E402
from PIL import Image, ImageChops, ImageDraw, ImageFont  # noqa: E402

# What the program relies on, written out here rather than taken from the
# generator, so a slip in its tables shows up.
MAPPED = ({0x09} | set(range(0x20, 0x82)) | set(range(0x8D, 0x91)) | {0x9D, 0x9E}
          | set(range(0xA0, 0xFE)) | {0xFF, 0x17D, 0x192, 0x201A, 0x2219})
KEYS = ((set(range(0x21, 0x80)) - {0x26}) | {0xA1} | set(range(0xA8, 0xB0))
        | set(range(0xB0, 0xBD)) | {0xBE, 0xBF} | set(range(0xC0, 0xFE)))
BLANKS = {0x09, 0x20}
# A few keys whose codes break the keyboard's runs, and so are easy to get wrong.
KEY_SPOT_CHECKS = {0x21: "ab", 0xA8: "ad", 0x27: "ed", 0x3A: "al", 0x6C: "ba",
                   0x71: "ča", 0x7F: "fu", 0xA1: "ga", 0xAF: "ge", 0xB0: "jo",
                   0xB1: "ju", 0xBC: "ji", 0xAC: "ka", 0xBE: "ko", 0xAB: "mu",
                   0xAA: "na", 0xA9: "šu", 0xDC: "ša", 0xE5: "wa", 0xEF: "dab",
                   0xF3: "dar", 0xF8: "gub", 0xFD: "gud"}
CELL_LIMIT = 875
Y_MAX, Y_MIN = 784, -112
MIN_DIFFERENCE = 3.0  # in pixels of full contrast, at 19 px/em


_FONT = {"path": None, "tmp": None}


def _font_path():
    return _FONT["path"]


def _build(path, env=None, cwd=None):
    subprocess.run([PYTHON, GENERATOR, "--out", path], check=True, env=env,
                   cwd=cwd or HERE)


def setUpModule():
    if _FONT["path"] and not os.path.exists(_FONT["path"]):
        raise AssertionError(f"{_FONT['path']} is missing: build target "
                             "vevoviv_font (or run tools/font/build_font.py) first")
    if _FONT["path"] is None:
        _FONT["tmp"] = tempfile.mkdtemp(prefix="vevoviv-test-")
        _FONT["path"] = os.path.join(_FONT["tmp"], "vevoviv.ttf")
        _build(_FONT["path"])


def tearDownModule():
    if _FONT["tmp"]:
        shutil.rmtree(_FONT["tmp"], ignore_errors=True)


def _tool(name, package):
    path = shutil.which(name)
    if not path:
        raise AssertionError(f"{name} not found; install Debian package {package}")
    return path


def _load():
    return TTFont(_font_path())


def _raster(font, char, size):
    """One character on a fixed canvas, its origin always at the same place,
    so two bitmaps compare pixel for pixel."""
    img = Image.new("L", (size + 4, size + 4), 0)
    ImageDraw.Draw(img).text((2, 2 + round(size * 0.784)), char, font=font,
                             fill=255, anchor="ls")
    return img


def _difference(a, b):
    hist = ImageChops.difference(a, b).histogram()
    return sum(i * n for i, n in enumerate(hist)) / 255


def _pil_font(size):
    # BASIC layout maps characters straight through the cmap; a shaping
    # engine would hide U+00AD, a soft hyphen elsewhere and a key here.
    return ImageFont.truetype(_font_path(), size,
                              layout_engine=ImageFont.Layout.BASIC)


class ExternalTools(unittest.TestCase):
    def test_ots_sanitize_accepts_the_font(self):
        ots = _tool("ots-sanitize", "opentype-sanitizer")
        with tempfile.TemporaryDirectory() as tmp:
            result = subprocess.run([ots, _font_path(), os.path.join(tmp, "out.ttf")],
                                    capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_fontconfig_sees_family_style_and_characters(self):
        fc = _tool("fc-scan", "fontconfig")
        out = subprocess.run(
            [fc, "--format", "%{family}\n%{style}\n%{fontformat}\n%{charset}\n",
             _font_path()], capture_output=True, text=True, check=True).stdout
        family, style, fmt, charset = out.split("\n")[:4]
        self.assertEqual(family, "Vevoviv")
        self.assertEqual(style, "Regular")
        self.assertEqual(fmt, "TrueType")
        seen = set()
        for item in charset.split():
            lo, _, hi = item.partition("-")
            seen.update(range(int(lo, 16), int(hi or lo, 16) + 1))
        # FreeType found a glyph for every key and nothing beyond the map.
        self.assertLessEqual(KEYS, seen)
        self.assertLessEqual(seen, MAPPED)


class Tables(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.font = _load()

    def test_table_set_and_outline_format(self):
        required = {"OS/2", "cmap", "glyf", "head", "hhea", "hmtx", "loca",
                    "maxp", "name", "post", "gasp"}
        self.assertLessEqual(required, set(self.font.keys()))
        self.assertEqual(self.font.sfntVersion, "\x00\x01\x00\x00")
        self.assertNotIn("CFF ", self.font)

    def test_windows_cmap_maps_exactly_the_program_characters(self):
        cmap = self.font["cmap"]
        self.assertEqual(cmap.tableVersion, 0)
        self.assertEqual(sorted((t.platformID, t.platEncID, t.format) for t in cmap.tables),
                         [(1, 0, 0), (3, 1, 4)])
        windows = cmap.getcmap(3, 1).cmap
        self.assertEqual(len(windows), 204)
        self.assertEqual(set(windows), MAPPED,
                         f"extra: {sorted(set(windows) - MAPPED)} "
                         f"missing: {sorted(MAPPED - set(windows))}")

    def test_mac_cmap_agrees_with_windows(self):
        windows = self.font["cmap"].getcmap(3, 1).cmap
        mac = self.font["cmap"].getcmap(1, 0).cmap
        for byte, glyph in mac.items():
            char = ord(bytes([byte]).decode("mac_roman"))
            if glyph != ".notdef":
                self.assertEqual(windows.get(char), glyph, hex(byte))
        self.assertEqual(mac[0x41], windows[0x41])

    def test_keys_write_their_syllables(self):
        windows = self.font["cmap"].getcmap(3, 1).cmap
        names = {c: windows[c] for c in KEY_SPOT_CHECKS}
        for code, syllable in KEY_SPOT_CHECKS.items():
            ascii_name = "syl_" + syllable.replace("č", "ch").replace("š", "sh")
            self.assertEqual(names[code], ascii_name, hex(code))
        key_glyphs = [windows[c] for c in KEYS]
        self.assertEqual(len(set(key_glyphs)), 180, "two keys share a glyph")

    def test_every_key_has_a_glyph_of_its_own(self):
        # Fu (U+007F) and ke (U+00AD) are a control and a format character elsewhere.
        self.assertLessEqual({0x7F, 0xAD}, KEYS)
        windows = self.font["cmap"].getcmap(3, 1).cmap
        owners = collections.Counter(windows.values())
        for code in sorted(KEYS):
            with self.subTest(code=hex(code)):
                self.assertNotIn(windows.get(code, ".notdef"), (".notdef", windows[0x20]))
                self.assertEqual(owners[windows[code]], 1, "shared with another character")

    def test_names(self):
        name = self.font["name"]
        exact = {1: "Vevoviv", 2: "Regular", 4: "Vevoviv", 5: "001.001", 6: "Vevoviv"}
        for platform in ((1, 0, 0), (3, 1, 0x409)):
            for name_id in (0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 12):
                with self.subTest(platform=platform, name_id=name_id):
                    record = name.getName(name_id, *platform)
                    self.assertIsNotNone(record)
                    text = record.toUnicode()
                    self.assertTrue(text.strip())
                    if name_id in exact:
                        self.assertEqual(text, exact[name_id])

    def test_head(self):
        head = self.font["head"]
        self.assertEqual(head.unitsPerEm, 1000)
        self.assertEqual(head.fontRevision, 1.0)
        self.assertEqual(head.macStyle, 0)
        self.assertEqual(head.lowestRecPPEM, 9)
        self.assertEqual(head.indexToLocFormat, 0)
        self.assertEqual(head.created, head.modified)
        # a fixed date, long after the 1904 epoch and not "now"
        self.assertGreater(head.created, 3_000_000_000)

    def test_vertical_metrics(self):
        hhea, os2 = self.font["hhea"], self.font["OS/2"]
        self.assertEqual((hhea.ascent, hhea.descent, hhea.lineGap), (784, -112, 15))
        self.assertEqual((os2.usWinAscent, os2.usWinDescent), (784, 112))
        self.assertEqual((os2.sTypoAscender, os2.sTypoDescender, os2.sTypoLineGap),
                         (355, -109, 15))

    def test_os2(self):
        os2 = self.font["OS/2"]
        self.assertEqual(os2.version, 1)
        self.assertEqual((os2.usWeightClass, os2.usWidthClass), (400, 5))
        self.assertEqual(os2.fsSelection, 0x40)
        self.assertEqual(os2.fsType, 0)
        self.assertEqual(os2.ulCodePageRange1, 1)
        self.assertEqual(os2.ulCodePageRange2, 0)
        self.assertEqual((os2.ulUnicodeRange1, os2.ulUnicodeRange2,
                          os2.ulUnicodeRange3, os2.ulUnicodeRange4), (3, 0, 0, 0))
        self.assertEqual((os2.usFirstCharIndex, os2.usLastCharIndex), (0x0009, 0x2219))

    def test_post_and_gasp(self):
        post = self.font["post"]
        self.assertEqual(post.formatType, 2.0)
        self.assertEqual((post.underlinePosition, post.underlineThickness), (-150, 50))
        self.assertEqual(post.isFixedPitch, 0)
        self.assertEqual(self.font["gasp"].gaspRange, {16: 5, 0xFFFF: 15})

    def test_checksums_match_the_bytes(self):
        with open(_font_path(), "rb") as f:
            data = f.read()
        num_tables = struct.unpack(">H", data[4:6])[0]
        head_offset = None
        for i in range(num_tables):
            tag, checksum, offset, length = struct.unpack(
                ">4sLLL", data[12 + 16 * i: 28 + 16 * i])
            table = data[offset:offset + length]
            if tag == b"head":
                head_offset = offset
                table = table[:8] + b"\0\0\0\0" + table[12:]
            with self.subTest(table=tag):
                self.assertEqual(calcChecksum(table), checksum)
                self.assertEqual(offset % 4, 0)
        self.assertIsNotNone(head_offset)
        zeroed = (data[:head_offset + 8] + b"\0\0\0\0" + data[head_offset + 12:])
        adjustment = struct.unpack(">L", data[head_offset + 8:head_offset + 12])[0]
        self.assertEqual(adjustment, (0xB1B0AFBA - calcChecksum(zeroed)) & 0xFFFFFFFF)


class Glyphs(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.font = _load()
        cls.cmap = cls.font["cmap"].getcmap(3, 1).cmap
        cls.glyf = cls.font["glyf"]
        cls.hmtx = cls.font["hmtx"]

    def _contours(self, name):
        coords, ends, _ = self.glyf[name].getCoordinates(self.glyf)
        start, out = 0, []
        for end in ends:
            out.append(tuple(coords[start:end + 1]))
            start = end + 1
        return out

    def test_keys_and_signs_have_outlines_blanks_do_not(self):
        for code, name in sorted(self.cmap.items()):
            glyph = self.glyf[name]
            with self.subTest(code=hex(code)):
                if code in BLANKS:
                    self.assertEqual(glyph.numberOfContours, 0)
                else:
                    self.assertGreater(glyph.numberOfContours, 0)
        self.assertTrue(250 <= self.hmtx[self.cmap[0x20]][0] <= 300)

    def test_everything_fits_the_cell(self):
        for name in self.font.getGlyphOrder():
            advance, _ = self.hmtx[name]
            glyph = self.glyf[name]
            with self.subTest(glyph=name):
                self.assertLessEqual(advance, CELL_LIMIT)
                if glyph.numberOfContours:
                    self.assertGreaterEqual(glyph.yMin, Y_MIN)
                    self.assertLessEqual(glyph.yMax, Y_MAX)
                    self.assertGreaterEqual(glyph.xMin, 0)
                    self.assertLessEqual(glyph.xMax, advance)

    def test_each_consonant_keeps_its_shape_with_every_vowel(self):
        # Learnable only if a consonant looks the same in all its syllables:
        # the contours on its side of the sign must not change with the vowel.
        groups = {}
        for name in self.cmap.values():
            sounds = name[4:].replace("ch", "č").replace("sh", "š")
            if not name.startswith("syl_") or len(sounds) != 2:
                continue  # closed syllables have their own, narrower frames
            if sounds[1] in "aeiou":
                groups.setdefault(("cv", sounds[0]), []).append(name)
            else:
                groups.setdefault(("vc", sounds[1]), []).append(name)
        self.assertEqual(len(groups), 18 + 15)
        for (shape, consonant), names in sorted(groups.items()):
            def side(contour):
                xs = [x for x, _ in contour]
                return max(xs) <= 525 if shape == "cv" else min(xs) >= 325
            shapes = {frozenset(c for c in self._contours(n) if side(c)) for n in names}
            with self.subTest(shape=shape, consonant=consonant):
                self.assertEqual(len(names), 5)
                self.assertEqual(len(shapes), 1)
                self.assertTrue(next(iter(shapes)))


class Raster(unittest.TestCase):
    """The program shows each sign at 19 px/em on its buttons and at 40 px/em
    in the text; FreeType draws them here."""

    @classmethod
    def setUpClass(cls):
        small = _pil_font(19)
        cls.keys = {c: _raster(small, chr(c), 19) for c in sorted(KEYS)}
        cls.signs = {c: _raster(small, chr(c), 19)
                     for c in sorted(MAPPED - KEYS - BLANKS)}

    def test_every_key_is_visible(self):
        for code, img in self.keys.items():
            self.assertIsNotNone(img.getbbox(), f"{code:#x} draws nothing")

    def test_keys_are_distinct_at_button_size(self):
        closest = min((_difference(a, b), ca, cb) for (ca, a), (cb, b)
                      in itertools.combinations(self.keys.items(), 2))
        self.assertGreaterEqual(closest[0], MIN_DIFFERENCE,
                                f"{closest[1]:#x} and {closest[2]:#x} look alike")

    def test_other_signs_differ_from_keys_and_each_other(self):
        everything = {**self.keys, **self.signs}
        for cs, s in self.signs.items():
            for c, img in everything.items():
                if c != cs:
                    self.assertGreaterEqual(_difference(s, img), MIN_DIFFERENCE,
                                            f"{cs:#x} and {c:#x} look alike")

class Reproducible(unittest.TestCase):
    def test_two_builds_give_the_same_bytes_whatever_the_environment(self):
        with tempfile.TemporaryDirectory() as tmp:
            first, second = os.path.join(tmp, "a.ttf"), os.path.join(tmp, "b.ttf")
            _build(first)
            env = dict(os.environ, TZ="Pacific/Kiritimati", LANG="C",
                       SOURCE_DATE_EPOCH="1", PYTHONHASHSEED="12345")
            _build(second, env=env, cwd=tmp)
            with open(first, "rb") as a, open(second, "rb") as b:
                self.assertEqual(a.read(), b.read())
            with open(first, "rb") as a, open(_font_path(), "rb") as f:
                self.assertEqual(a.read(), f.read(),
                                 "the font checked is not what the sources build")


def main(argv):
    args = list(argv[1:])
    if "--font" in args:
        i = args.index("--font")
        _FONT["path"] = os.path.abspath(args[i + 1])
        del args[i:i + 2]
    elif os.environ.get("VEVOVIV_FONT"):
        _FONT["path"] = os.path.abspath(os.environ["VEVOVIV_FONT"])
    unittest.main(argv=[argv[0]] + args, verbosity=2)


if __name__ == "__main__":
    main(sys.argv)
