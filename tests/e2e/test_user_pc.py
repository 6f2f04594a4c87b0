"""The real program on a PC as users have it: no drive d: or f:, where the window says whether
the picture was saved; and a window moved to a monitor of another density."""
import os
import tempfile
import unittest

from keyboard_model import CLEAR, PENDING_LETTERS, PREVIEW, SAVE_STATUS, TRANSFER, layout_differences
from wexa_driver import PREFIX, WexaApp, probe, send_input, set_dpi, text_of


def transfer(app, keys=(0, 94, 179)):
    for n in (CLEAR, *keys, TRANSFER):
        app.click(n)
    return app.clipboard_dib()


def status(app):
    c = app.control(SAVE_STATUS)
    return text_of(c["text"]) if c else None


class SaveStatus(unittest.TestCase):
    def test_the_window_says_whether_the_picture_was_saved_and_why_not(self):
        set_dpi(96)
        with WexaApp() as app:
            self.assertIsNone(status(app))  # nothing said before the first transfer
            tmp = app.png_file.parent
            steps = ((lambda: None, (0,), "Gespeichert: f:\\tmp\\wexazeile.png"),
                     (lambda: (app.png_file.unlink(), app.png_file.mkdir()), (0,),  # a folder in its place
                      "Nicht gespeichert: kein Zugriff auf f:\\tmp"),
                     (lambda: (app.png_file.rmdir(), tmp.rename(tmp.with_name("away"))), (0,),
                      "Nicht gespeichert: f:\\tmp fehlt"),
                     (lambda: None, (), "Nicht gespeichert: kein Bild"))  # an empty line
            for change, keys, said in steps:
                change()
                transfer(app, keys)
                self.assertEqual(status(app), said)
            self.assertEqual(os.listdir(app.f), ["away"])  # no folder made
            gadgets = app.controls()  # the status, under the line display, covers no gadget
            s = next(c["rect"] for c in gadgets if c["id"] == SAVE_STATUS)
            self.assertEqual([c["id"] for c in gadgets if s[0] < c["rect"][2] and c["rect"][0] < s[2] and
                              s[1] < c["rect"][3] and c["rect"][1] < s[3]], [SAVE_STATUS])

    def test_without_d_and_f_the_clipboard_gets_the_same_picture_and_nothing_is_created(self):
        set_dpi(96)
        with WexaApp() as app:
            with_drives = transfer(app)
        self.assertIsNotNone(with_drives)
        drive_c = sorted(os.listdir(PREFIX / "drive_c"))
        with tempfile.TemporaryDirectory(prefix="wexa-no-drives-") as root:
            with WexaApp(root, drive_d=None, drive_f=None) as app:
                self.assertEqual(transfer(app), with_drives)  # drawn in Vevoviv, not in stand-ins
                self.assertEqual(status(app), "Nicht gespeichert: f:\\tmp fehlt")
            self.assertEqual(os.listdir(root), [])
        self.assertEqual(sorted(os.listdir(PREFIX / "drive_c")), drive_c)


class DensityChange(unittest.TestCase):
    def test_96_to_144_and_back_lays_out_as_a_fresh_start_and_keeps_line_letters_focus_preview(self):
        set_dpi(96)
        with WexaApp() as app:
            self.assertEqual(probe("dpi-awareness")["awareness"], 2)  # each monitor's density, from the manifest
            transfer(app)
            app.click(190)
            app.key("Tab")  # to key 191
            send_input("type", "--delay", 40, "g")  # a letter pending
            kept = (app.line_text(), app.control(PENDING_LETTERS)["text"], app.focus(), app.control(PREVIEW)["rect"])
            for dpi, old, client in ((144, 96, [2025, 1095]), (96, 144, [1350, 730])):
                probe("dpi-changed", dpi, old)  # as the system sends it when the window changes monitors
                app.sync()
                self.assertEqual(app.window()["client"][2:], client)
                self.assertEqual(layout_differences(app.controls(), dpi), {})  # all 368 gadgets
                self.assertEqual(len(app.controls()), 368)
            now = (app.line_text(), app.control(PENDING_LETTERS)["text"], app.focus(), app.control(PREVIEW)["rect"])
            self.assertEqual(now, kept)
            self.assertEqual(kept[2], 191)


if __name__ == "__main__":
    unittest.main()
