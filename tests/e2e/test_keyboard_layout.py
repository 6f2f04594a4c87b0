"""Every button of the real program at its place, scaled for the screen's density, with its
label; and the keys writing the same characters when the font file cannot be provisioned.

The label fonts are not read here: under Wine, WM_GETFONT sent from another process
answers 0, so the face names and heights are read back in-process by the keyboard's Wine
tests, which start the program the same way."""
import unittest

from keyboard_model import BUTTONS, SPACES, Keyboard, after, label, rect96
from test_main_window import set_dpi
from wexa_driver import WexaApp, probe, text_of


def mul_div(value, dpi):
    """Windows' MulDiv(value, dpi, 96) for the non-negative values of the layout."""
    return (value * dpi + 48) // 96


class ButtonsAt144Dpi(unittest.TestCase):
    def setUp(self):
        set_dpi(144)
        self.addCleanup(set_dpi, 96)

    def test_every_button_stands_at_its_scaled_rectangle_with_its_label(self):
        with WexaApp() as app:
            dpi = probe("dpi")
            self.assertEqual((dpi["x"], dpi["y"]), (144, 144))
            controls = {}
            for c in app.controls():
                controls.setdefault(c["id"], []).append(c)
            for n in BUTTONS:
                with self.subTest(button=n):
                    self.assertEqual(len(controls.get(n, [])), 1)
                    c = controls[n][0]
                    x, y, width, height = rect96(n)
                    left, top = mul_div(x, dpi["x"]), mul_div(y, dpi["y"])
                    self.assertEqual(c["rect"], [left, top, left + mul_div(width, dpi["x"]),
                                                 top + mul_div(height, dpi["y"])])
                    self.assertEqual(c["class"], "Button")
                    self.assertTrue(c["visible"])
                    self.assertEqual(c["text"], [ord(u) for u in label(n)])
            self.assertEqual(sorted(controls), sorted([*BUTTONS, 185]))


class WithoutTheFontFile(unittest.TestCase):
    def test_keys_still_write_the_same_characters(self):
        set_dpi(96)
        sample = (0, 5, 94, 111, 179, 190, 195, 284, 301, 369, SPACES)
        with WexaApp(drive_d=None) as app:  # no drive d: at all, so no font file
            keys = Keyboard(app)
            expected = ""
            for n in sample:
                keys.click(n)
                expected = after(expected, n)
            self.assertEqual([ord(c) for c in keys.line()], [ord(c) for c in expected])
            self.assertEqual(text_of(app.control(190)["text"]), "ab")
            self.assertEqual(app.close(), 0)


if __name__ == "__main__":
    unittest.main()
