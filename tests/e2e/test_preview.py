"""The PreviewImage of the real program: what the window really shows after "Übertrag
Clipboard", taken from a screenshot of the X server and compared with the PNG file
(decoded by PIL) and the CF_DIB rows that another program reads from the clipboard."""
import struct
import unittest

from PIL import Image

from keyboard_model import CLEAR, PREVIEW, TRANSFER
from wexa_driver import WexaApp

PREVIEW_X, PREVIEW_Y = 30, 670
CHARACTER_WIDTH, LINE_HEIGHT = 45, 50
CLIENT_WIDTH = 1350
TEXT_X, TEXT_Y = 10, 5
# "H" of the carried font stays within its advance, so its overhang is 0 or 1.
LARGEST_OVERHANG = 1
WHITE = (255, 255, 255)


def compose(app, characters):
    for key in range(characters):
        app.click(key % 180)


def png_picture(path):
    with Image.open(path) as image:
        image.load()
        return image.convert("RGB")


def dib_picture(block):
    """The clipboard's packed bitmap as a picture, read row by row from the bottom up."""
    size, width, height, planes, bits = struct.unpack("<IiiHH", block[:16])
    assert (size, planes, bits) == (40, 1, 24) and height > 0
    stride = (3 * width + 3) // 4 * 4
    rows = [block[40 + r * stride:40 + r * stride + 3 * width] for r in range(height)][::-1]
    return Image.frombytes("RGB", (width, height), b"".join(rows), "raw", "BGR")


def preview_shown(app, width):
    """The part of the client area where the PreviewImage stands, from the screen."""
    return app.screenshot().crop((PREVIEW_X, PREVIEW_Y, PREVIEW_X + width, PREVIEW_Y + LINE_HEIGHT))


class PreviewOfAShortLine(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.app = WexaApp().__enter__()
        compose(cls.app, 3)
        cls.app.click(TRANSFER)
        cls.shown = preview_shown(cls.app, 3 * CHARACTER_WIDTH)
        cls.png = png_picture(cls.app.png_file)

    @classmethod
    def tearDownClass(cls):
        cls.app.__exit__(None, None, None)

    def test_preview_stands_under_the_field_at_the_pictures_size(self):
        view = self.app.control(PREVIEW)
        self.assertIsNotNone(view)
        self.assertEqual(view["class"].lower(), "static")
        self.assertEqual(view["style"], 0x50000100)
        self.assertEqual(view["rect"], [PREVIEW_X, PREVIEW_Y, PREVIEW_X + 135, PREVIEW_Y + LINE_HEIGHT])

    def test_screen_shows_exactly_the_pixels_of_the_file_and_the_clipboard(self):
        self.assertEqual(self.shown.tobytes(), self.png.tobytes())
        self.assertEqual(self.shown.tobytes(), dib_picture(self.app.clipboard_dib()).tobytes())

    def test_ink_stays_in_the_text_cell_and_everything_else_is_white(self):
        ink = [(x, y) for y in range(LINE_HEIGHT) for x in range(self.png.width) if self.png.getpixel((x, y)) != WHITE]
        self.assertTrue(ink, "the line is drawn")
        self.assertGreaterEqual(min(x for x, _ in ink), TEXT_X - 2 * LARGEST_OVERHANG)
        self.assertGreaterEqual(min(y for _, y in ink), TEXT_Y)
        self.assertIn((0, 0, 0), {self.png.getpixel(p) for p in ink}, "fully covered pixels are black")

    def test_a_second_transfer_shows_the_same_pixels(self):
        before = self.app.png_file.read_bytes()
        self.app.click(TRANSFER)
        self.assertEqual(self.app.control_count(PREVIEW), 1)
        self.assertEqual(preview_shown(self.app, 3 * CHARACTER_WIDTH).tobytes(), self.shown.tobytes())
        self.assertEqual(self.app.png_file.read_bytes(), before)


class PreviewOfThirtyCharacters(unittest.TestCase):
    def test_preview_is_cut_at_the_client_edge_while_the_clipboard_holds_all(self):
        with WexaApp() as app:
            compose(app, 30)
            app.click(TRANSFER)
            view = app.control(PREVIEW)
            self.assertEqual(view["rect"][0], PREVIEW_X)
            self.assertEqual(view["rect"][2] - view["rect"][0], 30 * CHARACTER_WIDTH)
            whole = dib_picture(app.clipboard_dib())
            self.assertEqual(whole.size, (1350, LINE_HEIGHT))
            visible = CLIENT_WIDTH - PREVIEW_X
            shown = preview_shown(app, visible)
            self.assertEqual(shown.tobytes(), whole.crop((0, 0, visible, LINE_HEIGHT)).tobytes())
            self.assertEqual(png_picture(app.png_file).tobytes(), whole.tobytes())


class TransferOfAnEmptyLine(unittest.TestCase):
    def test_previous_preview_goes_and_nothing_takes_its_place(self):
        with WexaApp() as app:
            background = preview_shown(app, 2 * CHARACTER_WIDTH).getpixel((0, 0))
            compose(app, 2)
            app.click(TRANSFER)
            self.assertNotEqual(set(preview_shown(app, 90).getdata()), {background})
            earlier = app.png_file.read_bytes()
            app.click(CLEAR)
            app.click(TRANSFER)
            views = [c for c in app.controls() if c["id"] == PREVIEW]
            self.assertLessEqual(len(views), 1)
            if views:
                left, top, right, bottom = views[0]["rect"]
                self.assertEqual(right - left, 0, "an empty preview shows nothing")
            self.assertEqual(set(preview_shown(app, 90).getdata()), {background})
            self.assertEqual(app.clipboard_formats(), [])
            self.assertEqual(app.png_file.read_bytes(), earlier)


if __name__ == "__main__":
    unittest.main()
