"""Every button of the real program at its place, scaled for the screen's density, with its
label, as the program's key table gives them; the window and the line display scaled too;
and the keys writing the same characters when the font file cannot be provisioned.

The label fonts are not read here: under Wine, WM_GETFONT sent from another process
answers 0, so the face names and heights are read back in-process by the keyboard's Wine
tests, which start the program the same way."""
import unittest

from keyboard_model import BUTTONS, LINE_DISPLAY, SPACES, Keyboard, after, label, rect96
from wexa_driver import WexaApp, probe, set_dpi, text_of


def mul_div(value, dpi):
    """Windows' MulDiv(value, dpi, 96) for the non-negative values of the layout."""
    return (value * dpi + 48) // 96


class Layout(unittest.TestCase):
    def assert_every_button_at_its_place_with_its_label(self, app, dpi):
        self.assertEqual(probe("dpi"), {"x": dpi, "y": dpi})
        controls = {}
        for c in app.controls():
            controls.setdefault(c["id"], []).append(c)
        for n in BUTTONS:
            with self.subTest(button=n):
                self.assertEqual(len(controls.get(n, [])), 1)
                c = controls[n][0]
                x, y, width, height = rect96(n)
                left, top = mul_div(x, dpi), mul_div(y, dpi)
                self.assertEqual(c["rect"], [left, top, left + mul_div(width, dpi), top + mul_div(height, dpi)])
                self.assertEqual(c["class"], "Button")
                self.assertTrue(c["visible"])
                self.assertEqual(c["text"], [ord(u) for u in label(n)])
        self.assertEqual(sorted(controls), sorted([*BUTTONS, LINE_DISPLAY]))


class At144Dpi(Layout):
    def setUp(self):
        set_dpi(144)
        self.addCleanup(set_dpi, 96)

    def test_window_line_display_and_every_button_scale_with_the_density(self):
        with WexaApp() as app:
            self.assertEqual(tuple(app.window()["client"][2:]), (2025, 1095))
            self.assertEqual(app.control(LINE_DISPLAY)["rect"], [45, 900, 1920, 975])
            self.assert_every_button_at_its_place_with_its_label(app, 144)


class WithoutTheFontFile(Layout):
    def test_buttons_keep_places_and_labels_and_keys_still_write_the_same_characters(self):
        set_dpi(96)
        sample = (0, 5, 94, 111, 179, 190, 195, 284, 301, 369, SPACES)
        with WexaApp(drive_d=None) as app:  # no drive d: at all, so no font file
            self.assert_every_button_at_its_place_with_its_label(app, 96)
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
