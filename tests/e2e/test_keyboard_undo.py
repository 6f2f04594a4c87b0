"""Undo, redo and copy with real key presses: Ctrl+Z and Ctrl+Y walk back and forth over clicks
and typed syllables, the line equal to a model at every step; Ctrl+C leaves the picture of the
line on the clipboard and in the PNG file, as a click on "Übertrag Clipboard" does."""
import unittest

from keyboard_model import CLEAR, DELETE_ONE, PENDING_LETTERS, SPACES, TRANSFER, KeyboardTestCase, after, character
from test_keyboard_typing import SYLLABLE_KEY
from test_png_clipboard import CHARACTER_WIDTH, dib_rows, png_rows
from wexa_driver import send_input

# One change each: a click on a key, typed letters with the syllable they write, or Backspace.
EDITS = [0, ("ab", "ab"), SPACES, ("gu'", "gu"), 250, "BackSpace", ("ca", "\u010da"), DELETE_ONE, 94, CLEAR]


class UndoRedoAndCopy(KeyboardTestCase):
    def edit(self, line, e):
        """Makes the edit for real; returns the line the model expects after it."""
        if isinstance(e, int):
            self.keys.click(e)
            return after(line, e)
        if isinstance(e, tuple):
            send_input("type", "--delay", 40, e[0])
            return line + character(SYLLABLE_KEY[e[1]])
        self.app.key(e)
        return line[:-1]

    def test_undo_and_redo_walk_over_every_kind_of_change_and_ctrl_c_transfers_the_line(self):
        lines = [""]
        for e in EDITS:
            lines.append(self.edit(lines[-1], e))
        walk = [("ctrl+z", i) for i in [*range(len(EDITS) - 1, -1, -1), 0]]  # one press more than changes
        walk += [("ctrl+y" if i % 2 else "ctrl+shift+z", min(i, len(EDITS))) for i in range(1, len(lines) + 1)]
        for key, i in walk:  # the first brings back the whole line that "alles Löschen" took
            self.app.key(key)
            self.assertEqual(self.keys.line(), lines[i], f"{key} to step {i}")

        send_input("type", "--delay", 40, "da")  # pending, since "da" could still grow
        self.app.key("ctrl+y")  # makes no character, so the letters stay pending
        self.assertIsNotNone(self.app.control(PENDING_LETTERS))
        self.app.key("ctrl+z")  # drops them as Escape does
        self.assertEqual((self.keys.line(), self.app.control(PENDING_LETTERS)), (lines[-1], None))
        self.app.key("ctrl+z", "ctrl+z")
        send_input("type", "--delay", 40, "da")
        self.app.png_file.unlink(missing_ok=True)
        self.app.key("ctrl+c")  # ends the pending syllable, then transfers
        line = lines[-3] + character(SYLLABLE_KEY["da"])
        picture, png = self.app.clipboard_dib(), self.app.png_file.read_bytes()
        self.assertEqual((self.keys.line(), dib_rows(picture)[0][1]), (line, CHARACTER_WIDTH * len(line)))
        self.assertEqual(dib_rows(picture)[1], png_rows(self.app.png_file))
        self.app.key("ctrl+z", "ctrl+y")
        self.assertEqual(self.app.clipboard_dib(), picture)  # undo and redo leave it alone
        for transfer in (lambda: self.keys.click(TRANSFER), lambda: self.app.key("ctrl+Insert")):
            self.app.png_file.unlink()
            transfer()
            self.assertEqual((self.app.clipboard_dib(), self.app.png_file.read_bytes()), (picture, png))


if __name__ == "__main__":
    unittest.main()
