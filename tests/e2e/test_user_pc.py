"""The real program on a PC as users have it: no drive d: or f:, where the window says whether
the picture was saved; and a window moved to a monitor of another density."""
import os
import tempfile
import unittest
from pathlib import Path

from keyboard_model import CLEAR, PENDING_LETTERS, PREVIEW, SAVE_STATUS, TRANSFER, layout_differences
from wexa_driver import LINE_DISPLAY, PREFIX, WexaApp, probe, send_input, set_dpi, text_of

LINE = (0, 94, 179)  # glyph keys


def transfer(app, keys=LINE):
    app.click(CLEAR)
    for n in keys:
        app.click(n)
    app.click(TRANSFER)
    return app.clipboard_dib()


def status(app):
    c = app.control(SAVE_STATUS)
    return text_of(c["text"]) if c else None


def overlaps(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


class SaveStatus(unittest.TestCase):
    def test_the_window_says_whether_the_picture_was_saved_and_why_not(self):
        set_dpi(96)
        with WexaApp() as app:
            self.assertIsNone(status(app))  # nothing said before the first transfer
            tmp = Path(app.f) / "tmp"
            transfer(app)
            self.assertEqual(status(app), "Gespeichert: f:\\tmp\\wexazeile.png")
            controls = app.controls()
            said = next(c["rect"] for c in controls if c["id"] == SAVE_STATUS)
            for c in controls:  # under the line display, over the preview, covering no gadget
                self.assertFalse(c["id"] != SAVE_STATUS and overlaps(said, c["rect"]), c["id"])

            app.png_file.unlink()
            app.png_file.mkdir()  # a folder in the file's place: the system denies the write
            transfer(app)
            self.assertEqual(status(app), "Nicht gespeichert: kein Zugriff auf f:\\tmp")
            app.png_file.rmdir()
            tmp.rename(tmp.with_name("tmp-away"))
            transfer(app)
            self.assertEqual(status(app), "Nicht gespeichert: f:\\tmp fehlt")
            transfer(app, keys=())
            self.assertEqual(status(app), "Nicht gespeichert: kein Bild")
            self.assertEqual(app.control_count(SAVE_STATUS), 1)
            self.assertEqual(os.listdir(app.f), ["tmp-away"])  # no folder made
            self.assertEqual(app.close(), 0)

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
                self.assertEqual(app.close(), 0)
            self.assertEqual(os.listdir(root), [])
        self.assertEqual(sorted(os.listdir(PREFIX / "drive_c")), drive_c)


class DensityChange(unittest.TestCase):
    """WM_DPICHANGED as the system sends it when the window moves to another monitor."""

    def test_96_to_144_and_back_lays_out_as_a_fresh_start_and_keeps_line_letters_focus_preview(self):
        set_dpi(96)
        with WexaApp() as app:
            transfer(app)
            app.click(190)
            app.key("Tab")  # the focus on the key after "ab"
            send_input("type", "--delay", 40, "g")
            kept = (app.line_text(), app.control(PENDING_LETTERS)["text"], app.focus())
            self.assertEqual(kept[2], 191)
            preview = app.control(PREVIEW)["rect"]
            for dpi, client in ((144, (2025, 1095)), (96, (1350, 730))):
                with self.subTest(dpi=dpi):
                    probe("dpi-changed", dpi, 144 if dpi == 96 else 96)
                    app.sync()
                    self.assertEqual(tuple(app.window()["client"][2:]), client)
                    controls = app.controls()
                    self.assertEqual(layout_differences(controls, dpi), {})
                    self.assertEqual(len(controls), 364 + 4)  # the keys, line, letters, preview, status
                    self.assertEqual((app.line_text(), app.control(PENDING_LETTERS)["text"], app.focus()), kept)
                    rect = app.control(PREVIEW)["rect"]
                    self.assertEqual((rect[2] - rect[0], rect[3] - rect[1]), (135, 50))  # its pixels stay
            self.assertEqual(app.control(PREVIEW)["rect"], preview)
            self.assertEqual(app.control(LINE_DISPLAY)["text"], [ord(c) for c in kept[0]])
            self.assertEqual(app.close(), 0)


if __name__ == "__main__":
    unittest.main()
