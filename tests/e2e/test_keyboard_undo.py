"""Undo, redo and copy with real key presses on the real program: Ctrl+Z and Ctrl+Y walk back
and forth over clicks and typed syllables, the line equal to a model at every step, and a
whole cleared line comes back; pending letters are no change; Ctrl+C ends them and leaves the
picture of the line on the clipboard and in the PNG file, as "Übertrag Clipboard" does."""
import unittest

from keyboard_model import CLEAR, DELETE_ONE, PENDING_LETTERS, SPACES, TRANSFER, KeyboardTestCase, after, character
from test_keyboard_typing import SYLLABLE_KEY
from test_png_clipboard import CHARACTER_WIDTH, dib_rows, png_rows
from wexa_driver import send_input, text_of

# Each edit is one change of the line: (click, number), (type, text, syllable it writes) or (key, name).
EDITS = [("click", 0), ("type", "ab", "ab"), ("click", SPACES), ("type", "gu'", "gu"), ("click", 250),
         ("key", "BackSpace"), ("type", "ca", "\u010da"), ("click", DELETE_ONE), ("click", 94), ("click", CLEAR)]


class UndoRedoAndCopy(KeyboardTestCase):
    def setUp(self):
        self.app.key("Escape")
        super().setUp()

    def line(self):
        return self.keys.line()

    def pending(self):
        c = self.app.control(PENDING_LETTERS)
        return text_of(c["text"]) if c else ""

    def edit(self, line, how, what, syllable=None):
        """Makes the edit for real and returns the line the model expects after it."""
        if how == "click":
            self.keys.click(what)
            return after(line, what)
        if how == "type":
            send_input("type", "--delay", 40, what)
            return line + character(SYLLABLE_KEY[syllable])
        self.app.key(what)
        return line[:-1]

    def test_undo_and_redo_walk_over_every_kind_of_change_and_copy_transfers_the_line(self):
        lines = [""]
        for e in EDITS:
            lines.append(self.edit(lines[-1], *e))
            self.assertEqual(self.line(), lines[-1], e)
        self.app.key("ctrl+z")  # undoes "alles Löschen": the whole line is back
        self.assertEqual(self.line(), lines[-2])
        self.assertGreater(len(lines[-2]), 3)
        for i in range(len(EDITS) - 2, -2, -1):  # one press more than there are changes
            self.app.key("ctrl+z")
            self.assertEqual(self.line(), lines[max(i, 0)], f"undo to step {i}")
        for i in range(1, len(lines) + 1):
            self.app.key("ctrl+y" if i % 2 else "ctrl+shift+z")
            self.assertEqual(self.line(), lines[min(i, len(lines) - 1)], f"redo to step {i}")

        self.app.key("ctrl+z", "ctrl+z", "ctrl+z")
        self.keys.click(5)  # a new change: what could be redone is gone
        line = after(lines[-4], 5)
        self.app.key("ctrl+y")
        self.assertEqual(self.line(), line)

        send_input("type", "--delay", 40, "da")  # "da" could still grow: pending
        self.app.key("ctrl+y")  # makes no character of itself, so the letters stay pending
        self.assertEqual((self.line(), self.pending()), (line, "da"))
        self.app.key("ctrl+z")  # drops the pending letters as Escape does
        self.assertEqual((self.line(), self.pending()), (line, ""))
        self.app.key("ctrl+z")
        self.assertEqual(self.line(), lines[-4])

        send_input("type", "--delay", 40, "da")
        self.app.png_file.unlink(missing_ok=True)
        self.app.key("ctrl+c")  # ends the pending syllable, then transfers
        line = lines[-4] + character(SYLLABLE_KEY["da"])
        self.assertEqual((self.line(), self.pending()), (line, ""))
        picture = self.app.clipboard_dib()
        fields, rows = dib_rows(picture)
        self.assertEqual(fields[1], CHARACTER_WIDTH * len(line))
        self.assertEqual(rows, png_rows(self.app.png_file))
        self.app.key("ctrl+z", "ctrl+y")  # undo and redo leave the clipboard alone
        self.assertEqual((self.line(), self.app.clipboard_dib()), (line, picture))
        png = self.app.png_file.read_bytes()
        for transfer in (lambda: self.keys.click(TRANSFER), lambda: self.app.key("ctrl+Insert")):
            self.app.png_file.unlink()
            transfer()
            self.assertEqual((self.app.clipboard_dib(), self.app.png_file.read_bytes()), (picture, png))


if __name__ == "__main__":
    unittest.main()
