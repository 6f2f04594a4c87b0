"""The transferred picture at every display scale: the real program started at 96, 120 and
144 DPI writes the same PNG file for the same line, and a line of the widest signs fits
its picture, with no ink in its last column or row."""
import io
import unittest
from pathlib import Path

from fontTools.ttLib import TTFont
from PIL import Image

from keyboard_model import FONT_KEYS, TRANSFER
from test_main_window import set_dpi
from wexa_driver import BUILD, WexaApp

DPIS = (96, 120, 144)
LENGTHS = (1, 8, 30)
WHITE = (255, 255, 255)


def widest_glyph_key():
    """The GlyphKey whose sign reaches farthest right, and among those the deepest."""
    font = TTFont(BUILD / "generated" / "vevoviv.ttf")
    cmap, glyphs = font.getBestCmap(), font["glyf"]

    def reach(key):
        glyph = glyphs[cmap[FONT_KEYS[key][0]]]
        return glyph.xMax, -glyph.yMin

    return max(range(len(FONT_KEYS)), key=reach)


class TheSameLineAtEveryDisplayScale(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.key = widest_glyph_key()
        cls.files = {}  # (dpi, length): the PNG file's bytes
        try:
            for dpi in DPIS:
                set_dpi(dpi)
                with WexaApp() as app:
                    composed = 0
                    for length in LENGTHS:
                        app.click(cls.key, repeat=length - composed)
                        composed = length
                        assert len(app.line_units()) == length, f"{length} characters composed at {dpi} DPI"
                        app.click(TRANSFER)
                        cls.files[dpi, length] = app.png_file.read_bytes()
        finally:
            set_dpi(96)

    def test_the_png_file_is_byte_for_byte_the_same_at_96_120_and_144_dpi(self):
        for length in LENGTHS:
            with self.subTest(length=length):
                self.assertEqual(self.files[120, length], self.files[96, length])
                self.assertEqual(self.files[144, length], self.files[96, length])

    def test_no_ink_touches_the_last_column_or_row(self):
        for (dpi, length), data in self.files.items():
            with self.subTest(dpi=dpi, length=length):
                with Image.open(io.BytesIO(data)) as image:
                    picture = image.convert("RGB")
                width, height = picture.size
                self.assertEqual((width, height), (45 * length, 50))
                last_column = {picture.getpixel((width - 1, y)) for y in range(height)}
                last_row = {picture.getpixel((x, height - 1)) for x in range(width)}
                self.assertEqual(last_column, {WHITE})
                self.assertEqual(last_row, {WHITE})
                self.assertNotEqual(set(picture.getdata()), {WHITE}, "the line is drawn")


if __name__ == "__main__":
    unittest.main()
