"""The preview dragged into another program: the real program and a drop target in a program
of its own (the probe, registered with RegisterDragDrop), driven by real pointer input. Also
the end of the program on a quit message for its thread."""
import queue
import struct
import tempfile
import threading
import time
import unittest
from pathlib import Path

from keyboard_model import PREVIEW, TRANSFER
from test_png_clipboard import clipboard_png, format_names
from wexa_driver import WexaApp, probe, start_probe, stop, winpath, xdotool

PNG_FORMATS = ["PNG", 8, 14, "FileGroupDescriptorW", "FileContents"]  # CF_DIB, CF_ENHMETAFILE


def lines_of(proc):
    """The program's output lines as they come, to be waited for one by one."""
    lines = queue.Queue()
    threading.Thread(target=lambda: [lines.put(line) for line in proc.stdout], daemon=True).start()
    return lines


def wait_for(what, test, timeout=20):
    deadline = time.monotonic() + timeout
    while not test():
        if time.monotonic() > deadline:
            raise AssertionError(f"never: {what}")
        time.sleep(0.05)


def file_descriptor(block):
    """(count, name, size) of a FILEGROUPDESCRIPTORW's first file."""
    (count,) = struct.unpack("<I", block[:4])
    high, low = struct.unpack("<II", block[4 + 64:4 + 72])
    name = block[4 + 72:4 + 72 + 520].decode("utf-16-le").split("\0")[0]
    return count, name, (high << 32) | low


class DragOfThePreview(unittest.TestCase):
    def test_a_drop_elsewhere_gets_the_transfers_formats_and_its_png_as_a_file_and_nothing_changes(self):
        with WexaApp() as app, tempfile.TemporaryDirectory() as d:
            for key in range(3):
                app.click(key)
            app.click(TRANSFER)
            app.click(3)  # the line changes after the transfer: the preview still shows its picture
            app.click(PREVIEW)  # a click without a move: nothing
            line, formats, dib = app.line_units(), format_names(), app.clipboard_dib()
            png, written = app.png_file.read_bytes(), app.png_file.stat().st_mtime_ns
            self.assertEqual(probe("capture")["captured"], False)

            client = app.window()["client"]
            target_proc, target = start_probe("drop-target", client[0], client[1] + client[3] + 60, 400, 120,
                                              winpath(d))
            try:
                said = lines_of(target_proc)
                x, y = app.screen_point(PREVIEW, 20, 25)
                xdotool("mousemove", x, y, "mousedown", 1, "mousemove", x + 15, y + 5)
                wait_for("the drag is under way", lambda: probe("capture")["by_control"] is False
                         and probe("capture")["captured"])
                left, top, right, bottom = target["window"]
                xdotool("mousemove", (left + right) // 2, (top + bottom) // 2)
                self.assertEqual(said.get(timeout=20).strip(), '{"entered":true}')
                xdotool("mouseup", 1)
                dropped = __import__("json").loads(said.get(timeout=60))
                target_proc.wait(timeout=30)
            finally:
                stop(target_proc)

            self.assertEqual(dropped["allowed"], 1, "copy only")
            offered = [f["name"] or f["id"] for f in dropped["dropped"]]
            self.assertEqual(offered, PNG_FORMATS)
            self.assertTrue(all(f["got"] for f in dropped["dropped"]))
            blocks = [Path(d, f"{i}.bin").read_bytes() for i in range(len(offered))]
            self.assertEqual(blocks[0], png)
            self.assertEqual(blocks[1], dib)
            self.assertEqual(file_descriptor(blocks[3]), (1, "wexazeile.png", len(png)))
            self.assertEqual(blocks[4], png)
            self.assertEqual(dropped["dropped"][4]["lindex"], 0)

            app.sync()
            self.assertEqual(app.line_units(), line)
            self.assertEqual((format_names(), app.clipboard_dib(), clipboard_png()), (formats, dib, png))
            self.assertEqual((app.png_file.read_bytes(), app.png_file.stat().st_mtime_ns), (png, written))


class QuitMessage(unittest.TestCase):
    def test_a_quit_message_for_the_programs_thread_ends_it_with_exit_code_0(self):
        with WexaApp() as app:
            app.click(0)
            probe("post-quit")
            self.assertEqual(app.wait_exit(timeout=30), 0)


if __name__ == "__main__":
    unittest.main()
