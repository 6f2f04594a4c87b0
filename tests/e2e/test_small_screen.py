"""The real program at 150 % on a 1920 x 1080 screen, where the window at 144 DPI (2031 x
1120 with its frame) would not fit: run in a Wine session of that screen size."""
import unittest

from keyboard_model import BUTTONS, Keyboard, layout_differences
from test_keyboard_keys import EveryButton
from wexa_driver import WexaApp, probe, set_dpi

SCREEN = (1920, 1080)


class At144DpiOn1080p(unittest.TestCase):
    def setUp(self):
        set_dpi(144)
        self.addCleanup(set_dpi, 96)

    def test_the_whole_window_fits_one_uniform_scale_and_every_key_works(self):
        with WexaApp() as app:
            w = app.window()
            self.assertEqual(tuple(w["screen"]), SCREEN, "run in the session of the small screen")
            left, top, right, bottom = w["window"]
            self.assertTrue(0 <= left and 0 <= top and right <= SCREEN[0] and bottom <= SCREEN[1], w["window"])
            width, height = w["client"][2:]
            dpi = round(width * 96 / 1350)  # the one factor, read from the width
            self.assertLess(dpi, 144)
            self.assertEqual(layout_differences(app.controls(), dpi), {})
            self.assertEqual(height, (730 * dpi + 48) // 96)
            for c in app.controls():  # so every gadget lies inside the client area, on the screen
                self.assertTrue(c["rect"][2] <= width and c["rect"][3] <= height, c["id"])
            EveryButton.click_every_button(self, Keyboard(app))
            self.assertEqual(app.close(), 0)


if __name__ == "__main__":
    unittest.main()
