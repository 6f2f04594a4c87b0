"""The main window of the real program: title, size, place, events, staying on top, closing."""
import subprocess
import unittest

from wexa_driver import LINE_DISPLAY, WexaApp, probe, send_input, wine_env, xdotool
from wexa_driver import set_dpi  # noqa: F401  for other tests

CLIENT = (1350, 730)


class MainWindowAt96Dpi(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        set_dpi(96)
        cls.app = WexaApp().__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.app.__exit__(None, None, None)

    def test_title_class_and_client_area(self):
        w = self.app.window()
        self.assertEqual(w["title"], "Wexa Font Tastatur")
        self.assertEqual(w["class"], "WindowClass_0")
        self.assertEqual(tuple(w["client"][2:]), CLIENT)

    def test_caption_with_system_menu_and_boxes_but_no_sizing_border(self):
        style = self.app.window()["style"]
        for bit in (0x00C00000, 0x00080000, 0x00020000, 0x00010000):  # caption, menu, min, max
            self.assertTrue(style & bit, hex(bit))
        self.assertFalse(style & 0x00040000)  # WS_THICKFRAME

    def test_centred_on_the_screen(self):
        w = self.app.window()
        left, top, right, bottom = w["window"]
        sw, sh = w["screen"]
        self.assertEqual(left, (sw - (right - left)) // 2)
        self.assertEqual(top, (sh - (bottom - top)) // 2)

    def test_line_display_starts_empty_with_a_sunken_border(self):
        field = self.app.control(LINE_DISPLAY)
        self.assertEqual(field["rect"], [30, 600, 1280, 650])
        self.assertEqual(field["text"], [])
        self.assertEqual(field["class"].lower(), "static")
        self.assertTrue(field["exstyle"] & 0x200)  # WS_EX_CLIENTEDGE

    def test_clicks_and_moves_that_are_no_gadget_events_change_nothing(self):
        before = self.app.controls()
        w = self.app.window()
        x0, y0 = w["client"][:2]
        for x, y in ((5, 5), (700, 560), (1340, 720)):  # empty places of the client area
            self.app.click_at(x0 + x, y0 + y)
        xdotool("mousemove", "--sync", x0 + 600, y0 + 300)
        self.app.click(LINE_DISPLAY)  # the field reports its click; nothing handles it
        after = self.app.controls()
        self.assertEqual([(c["id"], c["text"]) for c in before], [(c["id"], c["text"]) for c in after])
        self.assertIsNone(self.app.proc.poll())


WS_EX_TOPMOST = 0x8


def choose_from_window_menu(mnemonic):
    """Alt+Space opens the window menu and the item's mnemonic chooses it: real keys, sent to
    the program's window (Wine keeps a menu in its process, so no other program can read it)."""
    window = subprocess.run(["xdotool", "search", "--name", "^Wexa Font Tastatur$"], env=wine_env(), check=True,
                            capture_output=True, text=True).stdout.split()[0]
    send_input("key", "--window", window, "alt+space", "key", "--window", window, mnemonic)


class StaysOnTop(unittest.TestCase):
    def test_chosen_in_the_window_menu_it_keeps_the_keyboard_over_a_document_until_chosen_again(self):
        with WexaApp() as app:
            left, top, right, bottom = app.window()["window"]
            x0, y0 = app.window()["client"][:2]
            # Off at start; on, then off again, each time by the same item. A document's window
            # is then opened over the keyboard and brought to the front, as a click into it does.
            for choose, topmost, uppermost in ((False, False, "cover"), (True, True, "keyboard"),
                                               (True, False, "cover")):
                if choose:
                    # The user clicks the keyboard before using its window menu. Wine 10 gives it
                    # the focus back when the document's window closes, but late: keys sent at
                    # once were dropped, or it lost the focus again after the menu.
                    app.click_at(x0 + 5, y0 + 5)  # an empty place of the client area
                    choose_from_window_menu("i")
                self.assertEqual(bool(app.window()["exstyle"] & WS_EX_TOPMOST), topmost)
                self.assertEqual(probe("cover-window", left, top, right - left, bottom - top)["uppermost"], uppermost)
            self.assertEqual(app.close(), 0)


# A close request ending the program with 0 is checked at the end of the keyboard's tests.
class Closing(unittest.TestCase):
    def test_alt_f4_on_the_window_ends_it_at_once(self):
        with WexaApp() as app:
            w = app.window()
            app.click_at(w["client"][0] + 5, w["client"][1] + 5)  # focus it; there is no window manager
            xdotool("key", "alt+F4")
            self.assertEqual(app.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main()
