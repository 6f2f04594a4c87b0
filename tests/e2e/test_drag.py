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


# What a drop of the preview offers, in order: (registered name or format number, lindex).
OFFERED = [("PNG", -1), (8, -1), (14, -1), ("FileGroupDescriptorW", -1), ("FileContents", 0)]  # 8 CF_DIB, 14 EMF


def drag_preview_to_target(app, folder, *mode):
    """Drags the preview onto a drop target of another program under the window. Returns the
    target, a queue of its further lines, and what it said at the drop."""
    client = app.window()["client"]
    target, answer = start_probe("drop-target", client[0], client[1] + client[3] + 60, 400, 120, winpath(folder), *mode)
    said = queue.Queue()
    threading.Thread(target=lambda: [said.put(line) for line in target.stdout], daemon=True).start()
    (x, y), (left, top, right, bottom) = app.screen_point(PREVIEW, 20, 25), answer["window"]
    # Pressed on the preview, moved past the drag distance and on to the target: the button
    # stays down until the target has seen the drag come in.
    xdotool("mousemove", x, y, "mousedown", 1, "mousemove", x + 15, y + 5,
            "mousemove", (left + right) // 2, (top + bottom) // 2)
    assert json.loads(said.get(timeout=30)) == {"entered": True}
    xdotool("mouseup", 1)
    return target, said, json.loads(said.get(timeout=60))


class DragOfThePreview(unittest.TestCase):
    def assertTakenIs(self, taken, folder, png, dib):
        """Copy only, every format given, each with the bytes of the transfer's picture."""
        self.assertEqual(taken["allowed"], 1, "copy only")
        self.assertEqual([(f["name"] or f["id"], f["lindex"], f["got"]) for f in taken["dropped"]],
                         [(*offer, True) for offer in OFFERED])
        blocks = [Path(folder, f"{i}.bin").read_bytes() for i in range(len(OFFERED))]
        self.assertEqual((blocks[0], blocks[1], blocks[4]), (png, dib, png))
        descriptor = blocks[3]  # FILEGROUPDESCRIPTORW: one FILEDESCRIPTORW, its size at 68, its name at 76
        self.assertEqual(struct.unpack("<III", descriptor[:4] + descriptor[68:76]), (1, 0, len(png)))
        self.assertEqual(descriptor[76:76 + 28].decode("utf-16-le"), "wexazeile.png\0")
        return blocks

    def test_a_drop_elsewhere_gets_the_transfers_formats_and_its_png_as_a_file_and_nothing_changes(self):
        with WexaApp() as app, tempfile.TemporaryDirectory() as d:
            for key in range(3):
                app.click(key)
            app.click(TRANSFER)
            app.click(3)  # the line changes after the transfer: the preview still shows its picture
            before = (app.line_units(), format_names(), app.clipboard_dib(), clipboard_png())
            png, written = app.png_file.read_bytes(), app.png_file.stat().st_mtime_ns
            target, said, dropped = drag_preview_to_target(app, d)
            stop(target)
            self.assertTakenIs(dropped, d, png, before[2])
            app.sync()
            self.assertEqual((app.line_units(), format_names(), app.clipboard_dib(), clipboard_png()), before)
            self.assertEqual((app.png_file.read_bytes(), app.png_file.stat().st_mtime_ns), (png, written))

    def test_a_target_that_keeps_the_object_reads_the_old_picture_whole_after_the_drag_and_another_transfer(self):
        with WexaApp() as app, tempfile.TemporaryDirectory() as d:
            for key in range(3):
                app.click(key)
            app.click(TRANSFER)
            png, dib, emf = app.png_file.read_bytes(), app.clipboard_dib(), Path(d, "clipboard.emf")
            probe("clipboard-metafile", winpath(emf))
            target, said, kept = drag_preview_to_target(app, d, "later")
            try:
                self.assertEqual(kept, {"allowed": 1, "kept": True})
                app.click(3)  # handled once the drag has returned
                app.click(TRANSFER)  # a new picture, in the file and on the clipboard
                self.assertEqual(len(app.line_units()), 4)
                self.assertNotEqual((app.png_file.read_bytes(), app.clipboard_dib()), (png, dib))
                Path(d, "read").touch()
                late = json.loads(said.get(timeout=60))
            finally:
                stop(target)
            blocks = self.assertTakenIs(late, d, png, dib)
            self.assertEqual(blocks[2], emf.read_bytes())


class QuitMessage(unittest.TestCase):
    def test_a_quit_message_for_the_programs_thread_ends_it_with_exit_code_0(self):
        with WexaApp() as app:
            app.click(0)
            probe("post-quit")
            self.assertEqual(app.wait_exit(timeout=30), 0)


if __name__ == "__main__":
    unittest.main()
