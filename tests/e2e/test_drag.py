"""The preview dragged into another program: the real program and a drop target in a program
of its own (the probe, with RegisterDragDrop), driven by real pointer input. And the end of the
program on a quit message for its thread."""
import json
import queue
import struct
import tempfile
import threading
import unittest
from pathlib import Path

from keyboard_model import PREVIEW, TRANSFER
from test_png_clipboard import clipboard_png, format_names
from wexa_driver import WexaApp, probe, start_probe, stop, winpath, xdotool


class DragOfThePreview(unittest.TestCase):
    def test_a_drop_elsewhere_gets_the_transfers_formats_and_its_png_as_a_file_and_nothing_changes(self):
        with WexaApp() as app, tempfile.TemporaryDirectory() as d:
            for key in range(3):
                app.click(key)
            app.click(TRANSFER)
            app.click(3)  # the line changes after the transfer: the preview still shows its picture
            before = (app.line_units(), format_names(), app.clipboard_dib(), clipboard_png())
            png, written = app.png_file.read_bytes(), app.png_file.stat().st_mtime_ns
            client = app.window()["client"]
            target, answer = start_probe("drop-target", client[0], client[1] + client[3] + 60, 400, 120, winpath(d))
            try:
                said = queue.Queue()
                threading.Thread(target=lambda: [said.put(line) for line in target.stdout], daemon=True).start()
                (x, y), (left, top, right, bottom) = app.screen_point(PREVIEW, 20, 25), answer["window"]
                # Pressed on the preview, moved past the drag distance and on to the target: the
                # button stays down until the target has seen the drag come in.
                xdotool("mousemove", x, y, "mousedown", 1, "mousemove", x + 15, y + 5,
                        "mousemove", (left + right) // 2, (top + bottom) // 2)
                self.assertEqual(json.loads(said.get(timeout=30)), {"entered": True})
                xdotool("mouseup", 1)
                dropped = json.loads(said.get(timeout=60))
            finally:
                stop(target)
            self.assertEqual(dropped["allowed"], 1, "copy only")
            self.assertEqual([(f["name"] or f["id"], f["lindex"], f["got"]) for f in dropped["dropped"]],
                             [("PNG", -1, True), (8, -1, True), (14, -1, True),  # CF_DIB, CF_ENHMETAFILE
                              ("FileGroupDescriptorW", -1, True), ("FileContents", 0, True)])
            blocks = [Path(d, f"{i}.bin").read_bytes() for i in range(5)]
            self.assertEqual((blocks[0], blocks[1], blocks[4]), (png, before[2], png))
            descriptor = blocks[3]  # FILEGROUPDESCRIPTORW: one FILEDESCRIPTORW, its size at 68, its name at 76
            self.assertEqual(struct.unpack("<III", descriptor[:4] + descriptor[68:76]), (1, 0, len(png)))
            self.assertEqual(descriptor[76:76 + 28].decode("utf-16-le"), "wexazeile.png\0")
            app.sync()
            self.assertEqual((app.line_units(), format_names(), app.clipboard_dib(), clipboard_png()), before)
            self.assertEqual((app.png_file.read_bytes(), app.png_file.stat().st_mtime_ns), (png, written))


class QuitMessage(unittest.TestCase):
    def test_a_quit_message_for_the_programs_thread_ends_it_with_exit_code_0(self):
        with WexaApp() as app:
            app.click(0)
            probe("post-quit")
            self.assertEqual(app.wait_exit(timeout=30), 0)


if __name__ == "__main__":
    unittest.main()
