"""The transfer's PNG file and clipboard pictures, from the real program: the file checked
by pngcheck and decoded by PIL, the PNG, CF_DIB and CF_ENHMETAFILE blocks read by another
program, and the picture pasted by an X11 clipboard client outside Wine."""
import io
import os
import struct
import subprocess
import tempfile
import unittest
import zlib
from pathlib import Path

from PIL import Image

from keyboard_model import CLEAR, GLYPH_KEYS, TRANSFER, Keyboard
from test_user_pc import status
from wexa_driver import WexaApp, hold_clipboard, probe, send_input, start_probe, stop, wine_env, winpath

CHARACTER_WIDTH, LINE_HEIGHT = 45, 50
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def chunks(data):
    """(type, payload) of every chunk, after checking the signature and each CRC."""
    assert data.startswith(PNG_SIGNATURE), "not a PNG"
    at, found = len(PNG_SIGNATURE), []
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        payload = data[at + 8:at + 8 + length]
        (crc,) = struct.unpack(">I", data[at + 8 + length:at + 12 + length])
        assert zlib.crc32(kind + payload) == crc, f"bad CRC in {kind}"
        found.append((kind.decode(), payload))
        at += 12 + length
    return found


def dib_rows(block):
    """The header fields and the rows, top of the picture first, as RGB bytes."""
    fields = struct.unpack("<IiiHHIIiiII", block[:40])
    width, height = fields[1], fields[2]
    stride = (3 * width + 3) // 4 * 4
    rows = []
    for memory_row in range(height):
        bgr = block[40 + memory_row * stride:40 + memory_row * stride + 3 * width]
        rgb = bytearray(len(bgr))
        rgb[0::3], rgb[1::3], rgb[2::3] = bgr[2::3], bgr[1::3], bgr[0::3]
        rows.append(bytes(rgb))
    return fields, rows[::-1]


def png_rows(path):
    """The PNG's rows, top first, as RGB bytes, decoded by PIL."""
    with Image.open(path) as image:
        image.load()
        assert image.mode == "RGB"
        raw = image.tobytes()
    row = 3 * image.width
    return [raw[i:i + row] for i in range(0, len(raw), row)]


def compose(app, characters):
    for key in range(characters):
        app.click(key)


def clipboard_png():
    """The block of the registered format "PNG" as bytes, or None."""
    with tempfile.TemporaryDirectory() as d:
        path = Path(d) / "clip.png"
        answer = probe("clipboard-block", "PNG", winpath(path), check=False)
        return path.read_bytes() if "error" not in answer else None


def format_names():
    """(id, registered name) of each clipboard format, in the order a reader enumerates them."""
    return [(f["id"], f["name"]) for f in probe("clipboard-format-names")["formats"]]


def xclip(target):
    pasted = subprocess.run(["xclip", "-selection", "clipboard", "-t", target, "-o"], env=wine_env(),
                            capture_output=True, timeout=30)
    assert pasted.returncode == 0, pasted.stderr
    return pasted.stdout


def rows_of(data):
    with Image.open(io.BytesIO(data)) as image:
        width = image.width
        pixels = image.convert("RGB").tobytes()
    return [pixels[i:i + 3 * width] for i in range(0, len(pixels), 3 * width)]


class TransferOfThreeCharacters(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.app = WexaApp().__enter__()
        compose(cls.app, 3)
        cls.app.click(TRANSFER)

    @classmethod
    def tearDownClass(cls):
        cls.app.__exit__(None, None, None)

    def test_png_passes_pngcheck_with_only_header_data_and_end(self):
        checked = subprocess.run(["pngcheck", "-v", str(self.app.png_file)], capture_output=True, text=True)
        self.assertEqual(checked.returncode, 0, checked.stdout)
        found = chunks(self.app.png_file.read_bytes())
        self.assertEqual({kind for kind, _ in found}, {"IHDR", "IDAT", "IEND"})
        self.assertEqual((found[0][0], found[-1][0]), ("IHDR", "IEND"))
        width, height, depth, colour, compression, filtering, interlace = struct.unpack(">IIBBBBB", found[0][1])
        self.assertEqual((width, height), (3 * CHARACTER_WIDTH, LINE_HEIGHT))
        self.assertEqual((depth, colour, compression, filtering, interlace), (8, 2, 0, 0, 0))

    def test_every_row_is_unfiltered(self):
        stream = zlib.decompress(b"".join(p for kind, p in chunks(self.app.png_file.read_bytes()) if kind == "IDAT"))
        row = 1 + 3 * 3 * CHARACTER_WIDTH
        self.assertEqual(len(stream), row * LINE_HEIGHT)
        self.assertEqual(set(stream[::row]), {0})

    def test_png_first_then_the_dib_then_the_metafile_with_the_bytes_of_the_file(self):
        formats = format_names()
        self.assertEqual(formats[0][1], "PNG")
        self.assertEqual([f for f, _ in formats[1:3]], [8, 14])  # CF_DIB, CF_ENHMETAFILE
        self.assertEqual(clipboard_png(), self.app.png_file.read_bytes())

    def test_png_pixels_equal_the_clipboard_rows_read_by_another_program(self):
        block = self.app.clipboard_dib()
        self.assertIsNotNone(block)
        fields, rows = dib_rows(block)
        size, width, height, planes, bits, compression, image_bytes = fields[:7]
        self.assertEqual((size, width, height, planes, bits, compression),
                         (40, 3 * CHARACTER_WIDTH, LINE_HEIGHT, 1, 24, 0))
        self.assertEqual(image_bytes, 408 * LINE_HEIGHT)  # 405 bytes of pixels and 3 filler bytes
        self.assertGreaterEqual(len(block), 40 + image_bytes)
        self.assertEqual(rows, png_rows(self.app.png_file))
        self.assertNotEqual(len(set(rows)), 1, "the picture holds the text, not one colour")

    def test_an_x11_clipboard_client_outside_wine_pastes_the_picture_as_png_and_as_bmp(self):
        for target in ("image/png", "image/bmp"):
            with self.subTest(target=target):
                pasted = xclip(target)
                with Image.open(io.BytesIO(pasted)) as image:
                    self.assertEqual(image.format, target.split("/")[1].upper())
                    self.assertEqual(image.size, (3 * CHARACTER_WIDTH, LINE_HEIGHT))
                self.assertEqual(rows_of(pasted), png_rows(self.app.png_file))


# EMR_EXTTEXTOUTA, EMR_EXTTEXTOUTW, EMR_POLYTEXTOUTA, EMR_POLYTEXTOUTW: text that needs the font.
TEXT_RECORDS = {83, 84, 96, 97}
EMR_POLYDRAW, EMR_POLYDRAW16, EMR_FILLPATH = 56, 92, 62


def records(data):
    """The type of every record of an enhanced metafile, and the header's frame (0.01 mm)."""
    types, at = [], 0
    while at < len(data):
        kind, size = struct.unpack("<II", data[at:at + 8])
        types.append(kind)
        at += size
    return types, struct.unpack("<4i", data[24:40])


def ink(picture):
    """The pixels darker than mid-grey."""
    return {i for i, v in enumerate(picture.getdata()) if v < 128}


class VectorPictureOfEverySign(unittest.TestCase):
    """All 180 signs transferred; the clipboard's metafile read and played by another program."""

    @classmethod
    def setUpClass(cls):
        with WexaApp() as app, tempfile.TemporaryDirectory() as d:
            keys = Keyboard(app)
            steps = []
            for n in GLYPH_KEYS:
                steps += ["mousemove", *keys.points[n], "click", "1", "sleep", "0.05"]
            send_input(*steps)
            assert len(app.line_units()) == 180
            app.click(TRANSFER)
            cls.width = 180 * CHARACTER_WIDTH
            cls.dib = Image.frombytes("RGB", (cls.width, LINE_HEIGHT), b"".join(dib_rows(app.clipboard_dib())[1]))
            cls.played = {}
            for scale in (1, 4):
                emf, pixels = Path(d) / "line.emf", Path(d) / "played.bgrx"
                probe("clipboard-metafile", winpath(emf), scale * cls.width, scale * LINE_HEIGHT, winpath(pixels))
                played = Image.frombytes("RGB", (scale * cls.width, scale * LINE_HEIGHT), pixels.read_bytes(), "raw",
                                         "BGRX")
                cls.played[scale] = played.convert("L").resize((cls.width, LINE_HEIGHT), Image.BOX)
            cls.emf = emf.read_bytes()

    def test_the_signs_are_filled_paths_without_text_in_the_bitmaps_frame(self):
        types, frame = records(self.emf)
        self.assertFalse(TEXT_RECORDS & set(types), "the picture needs no font")
        self.assertIn(EMR_FILLPATH, types)
        self.assertTrue({EMR_POLYDRAW, EMR_POLYDRAW16} & set(types))
        self.assertEqual(frame, (0, 0, (self.width * 2540 + 48) // 96, (LINE_HEIGHT * 2540 + 48) // 96))

    def test_played_at_its_size_and_at_four_times_it_draws_the_ink_of_the_bitmap(self):
        bitmap = ink(self.dib.convert("L"))
        for scale, share in ((1, 0.95), (4, 0.97)):
            with self.subTest(scale=scale):
                played = ink(self.played[scale])
                self.assertGreaterEqual(len(played & bitmap) / len(played), share)
                self.assertGreaterEqual(len(played & bitmap) / len(bitmap), share)


class TransferWithoutThePngFolder(unittest.TestCase):
    def test_no_file_or_folder_is_made_and_the_clipboard_is_filled_until_after_the_program_ends(self):
        with WexaApp(make_png_folder=False) as app:
            compose(app, 1)
            app.click(TRANSFER)
            self.assertEqual(list(app.f.iterdir()), [])
            block = app.clipboard_dib()
            self.assertIsNotNone(block)
            self.assertEqual(struct.unpack("<i", block[4:8])[0], CHARACTER_WIDTH)
            png = clipboard_png()
            self.assertIsNotNone(png, "the PNG is made in memory, without the file")
            self.assertEqual(rows_of(png), dib_rows(block)[1])
            # The program's window owns the data; closing it must not take the picture along.
            self.assertEqual(app.close(), 0)
            self.assertEqual((clipboard_png(), app.clipboard_dib()), (png, block))


class TransferWhileAnotherProgramHoldsTheClipboardBriefly(unittest.TestCase):
    def test_the_picture_still_reaches_the_clipboard(self):
        with WexaApp() as app:
            compose(app, 3)
            # Held from before the click until 20 ms after the PNG file appears: the file is
            # written right before the picture is placed, so the picture meets the hold.
            holder, answer = start_probe("clipboard-hold-until-file", r"f:\tmp\wexazeile.png", 20)
            try:
                self.assertTrue(answer.get("holding"))
                app.click(TRANSFER)
                holder.wait(timeout=30)
            finally:
                stop(holder)
            self.assertEqual(format_names()[0][1], "PNG")
            self.assertEqual(clipboard_png(), app.png_file.read_bytes())
            self.assertEqual(dib_rows(app.clipboard_dib())[1], png_rows(app.png_file))


class TransferWhileAnotherProgramHoldsTheClipboard(unittest.TestCase):
    def test_the_file_is_written_and_the_program_keeps_working(self):
        with WexaApp() as app:
            app.click(TRANSFER)  # an empty line: the clipboard is emptied and stays so
            compose(app, 2)
            holder = hold_clipboard()
            try:
                app.click(TRANSFER)
                self.assertTrue(app.png_file.exists())
                app.click(5)
                self.assertEqual(len(app.line_units()), 3)
            finally:
                stop(holder)
            self.assertTrue(app.clipboard_dib() is None, "nothing was placed while the clipboard was held")
            app.click(TRANSFER)
            block = app.clipboard_dib()
            self.assertIsNotNone(block)
            self.assertEqual(struct.unpack("<i", block[4:8])[0], 3 * CHARACTER_WIDTH)
            self.assertEqual(dib_rows(block)[1], png_rows(app.png_file))


def fill(folder):
    """Writes a file into the folder until its file system is full; returns the file."""
    filler = Path(folder) / "filler"
    with open(filler, "wb", buffering=0) as out:
        try:
            while True:
                out.write(bytes(4096))
        except OSError:
            pass
    return filler


class PngFileUnderFaults(unittest.TestCase):
    """A transfer whose picture cannot be saved keeps the last saved one, on a drive f: of its own:
    a small tmpfs, filled up, and a file that another program holds."""

    @classmethod
    def setUpClass(cls):
        if os.geteuid() != 0:
            raise unittest.SkipTest("mounting a tmpfs needs root, as the tests have it on Debian 12 and 13")
        cls.f = tempfile.TemporaryDirectory(prefix="wexa-small-f-")
        subprocess.run(["mount", "-t", "tmpfs", "-o", "size=1m", "tmpfs", cls.f.name], check=True)

    @classmethod
    def tearDownClass(cls):
        subprocess.run(["umount", cls.f.name], check=True)
        cls.f.cleanup()

    def test_a_full_disk_or_a_locked_file_keeps_the_last_picture_whole_and_the_next_transfer_saves(self):
        faults = (("full disk", lambda: fill(self.f.name), Path.unlink, "Nicht gespeichert: Schreibfehler"),
                  ("locked", lambda: start_probe("hold-file", r"f:\tmp\wexazeile.png")[0], stop,
                   "Nicht gespeichert: Datei gesperrt"))
        with WexaApp(drive_f=self.f.name) as app:
            keys, folder = Keyboard(app), app.png_file.parent
            (folder / "wexazeile.png.4711.tmp").write_bytes(b"left by a transfer that crashed")
            for name, make, undo, said in faults:
                with self.subTest(name):
                    for n in (CLEAR, 0, TRANSFER):
                        app.click(n)
                    saved = app.png_file.read_bytes()
                    self.assertEqual(os.listdir(folder), ["wexazeile.png"])  # no temporary file, new or old
                    fault = make()
                    try:
                        # A longer line: its picture needs more room than the last one's file takes up.
                        send_input(*[step for n in GLYPH_KEYS[1:121] for step in
                                     ("mousemove", *keys.points[n], "click", "--delay", 0, 1, "sleep", 0.02)])
                        app.click(TRANSFER)
                        self.assertEqual((len(app.line_units()), status(app)), (121, said))
                        self.assertEqual(app.png_file.read_bytes(), saved)
                        self.assertEqual(os.listdir(folder), ["wexazeile.png"])
                    finally:
                        undo(fault)
                    app.click(TRANSFER)  # the same picture, once the fault has gone
                    self.assertEqual(status(app), "Gespeichert: f:\\tmp\\wexazeile.png")
                    self.assertEqual(app.png_file.read_bytes(), clipboard_png())
                    self.assertNotEqual(app.png_file.read_bytes(), saved)


if __name__ == "__main__":
    unittest.main()
