"""The real program's font file at d:\\kelvast6\\vevoviv.ttf: written on the first start,
left alone afterwards; without it the line display and the glyph keys are drawn in Vevoviv
all the same, from the program's own copy. What the screen shows is compared between runs:
Wine does not answer another process's WM_GETFONT, so the fonts are seen in the pixels."""
import os
import subprocess
import tempfile
import unittest
from pathlib import Path

from wexa_driver import BUILD, LINE_DISPLAY, WINE_EXEC, WexaApp, set_dpi, wine_env, xdotool

GENERATED_FONT = BUILD / "generated" / "vevoviv.ttf"
GLYPH_KEY = 0  # shows and appends "!"
LONG_AGO = 978350400  # 2001-01-01, so that any rewrite shows in the modification time


def pictures(app):
    """GlyphKey 0 and the line display after one click on the key, as the screen shows them."""
    app.click(GLYPH_KEY)
    shot = app.screenshot()
    # Away from the key again: a synchronous move to where the pointer already is waits for a
    # motion that never comes, and the next run clicks the same place.
    xdotool("mousemove", 0, 0)
    return tuple(shot.crop(tuple(app.control(n)["rect"])).tobytes() for n in (GLYPH_KEY, LINE_DISPLAY))


def run_once(test, root, **options):
    """Starts and closes the program once; returns its pictures."""
    with WexaApp(root, **options) as app:
        seen = pictures(app)
        test.assertEqual(app.control(LINE_DISPLAY)["text"], [ord("!")])
        test.assertEqual(app.close(), 0)
    return seen


class FontFile(unittest.TestCase):
    def setUp(self):
        self._tmp = tempfile.TemporaryDirectory(prefix="wexa-font-")
        self.root = Path(self._tmp.name)

    def tearDown(self):
        self._tmp.cleanup()

    def font_file(self, name="with-font"):
        return self.root / name / "d" / "kelvast6" / "vevoviv.ttf"

    def test_first_start_writes_the_carried_font_and_a_second_leaves_it_alone(self):
        first = run_once(self, self.root / "with-font")
        self.assertEqual(self.font_file().read_bytes(), GENERATED_FONT.read_bytes())
        os.utime(self.font_file(), (LONG_AGO, LONG_AGO))
        second = run_once(self, self.root / "with-font")
        self.assertEqual(second, first)  # the same font on the screen
        self.assertEqual(self.font_file().read_bytes(), GENERATED_FONT.read_bytes())
        self.assertEqual(self.font_file().stat().st_mtime, LONG_AGO)

    def test_without_the_font_file_the_signs_are_drawn_in_vevoviv_all_the_same(self):
        in_vevoviv = run_once(self, self.root / "with-font")
        no_drive = run_once(self, self.root / "no-drive", drive_d=None, drive_f=None)
        self.assertFalse((self.root / "no-drive").exists())  # neither drive made anywhere

        empty = self.font_file("empty")
        empty.parent.mkdir(parents=True)
        empty.write_bytes(b"")
        empty_file = run_once(self, self.root / "empty")
        self.assertEqual(empty.read_bytes(), b"")

        for index, what in enumerate(("glyph key", "line display")):
            with self.subTest(what):
                self.assertEqual(no_drive[index], in_vevoviv[index])
                self.assertEqual(empty_file[index], in_vevoviv[index])

    def test_a_missing_folder_is_not_made(self):
        run_once(self, self.root / "no-folder", make_font_folder=False)
        self.assertEqual(os.listdir(self.root / "no-folder" / "d"), [])


class CharacterHeights(unittest.TestCase):
    def test_the_fonts_character_heights_follow_the_display_density(self):
        self.addCleanup(set_dpi, 96)
        expected = {96: {1: 19, 2: 16, 3: 40}, 120: {1: 23, 2: 20, 3: 50}}  # GlyphFont, LabelFont, LineFont
        for dpi, fonts in expected.items():
            set_dpi(dpi)
            with WexaApp(start=False):  # drive d: at a folder of the test, where the font file is written
                out = subprocess.run([str(WINE_EXEC), str(BUILD / "font_heights_child.exe")], env=wine_env(),
                                     stdin=subprocess.DEVNULL, capture_output=True, text=True, check=True).stdout
            lines = [line.split() for line in out.splitlines()]
            self.assertEqual(lines[0], ["dpi", str(dpi)])  # the density the child ran at
            for number, asked, measured in (map(int, line) for line in lines[1:]):
                with self.subTest(dpi=dpi, font=number):
                    self.assertEqual(asked, fonts.pop(number))
                    self.assertLessEqual(abs(measured - asked), 1)  # ascent and descent are rounded one by one
            self.assertEqual(fonts, {})


if __name__ == "__main__":
    unittest.main()
