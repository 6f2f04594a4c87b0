"""The clipboard around line editing: "ein Zeichen löschen" and "alles Löschen" empty it,
also on an empty line; key presses and "Leerzeichen (2x)" leave whatever another program
(or the program's own transfer) put there."""
import unittest

from keyboard_model import CLEAR, DELETE_ONE, SPACES, TRANSFER, KeyboardTestCase
from wexa_driver import own_clipboard_text, start_probe, stop

CF_DIB, CF_UNICODETEXT = 8, 13
TYPING = (0, 190, SPACES, 369, 94, SPACES, 284)  # glyph keys, syllable keys and spaces


def own_clipboard_picture(width=7, seconds=600):
    """Another program puts a CF_DIB picture on the clipboard and stays its owner."""
    proc, answer = start_probe("clipboard-own-picture", width, seconds)
    if not answer.get("owned"):
        stop(proc)
        raise RuntimeError("could not own the clipboard")
    return proc


class ClipboardAroundEditing(KeyboardTestCase):
    def type(self, *numbers):
        for n in numbers:
            self.keys.click(n)

    def owned_by_another_program(self, own):
        owner = own()
        self.addCleanup(stop, owner)
        return owner

    def test_typing_leaves_another_programs_text_and_deleting_one_character_empties_it(self):
        owner = self.owned_by_another_program(lambda: own_clipboard_text("Wexa clipboard text"))
        self.type(*TYPING)
        self.assertEqual(self.app.clipboard_text(), "Wexa clipboard text")
        self.assertIn(CF_UNICODETEXT, self.app.clipboard_formats())
        self.type(DELETE_ONE)
        self.assertEqual(self.app.clipboard_formats(), [])
        self.assertIsNone(owner.poll())  # emptied by the program, not by its owner going away
        self.assertEqual(len(self.keys.line()), len(TYPING) + 2 - 1)

    def test_typing_leaves_another_programs_picture_and_clearing_the_line_empties_it(self):
        owner = self.owned_by_another_program(own_clipboard_picture)
        picture = self.app.clipboard_dib()
        self.assertIsNotNone(picture)
        self.type(*TYPING)
        self.assertEqual(self.app.clipboard_dib(), picture)
        self.type(CLEAR)
        self.assertEqual(self.app.clipboard_formats(), [])
        self.assertIsNone(owner.poll())

    def test_deleting_and_clearing_an_empty_line_still_empty_the_clipboard(self):
        for command in (DELETE_ONE, CLEAR):
            with self.subTest(command=command):
                owner = own_clipboard_text("still here?")
                try:
                    self.assertEqual(self.keys.line(), "")
                    self.type(command)
                    self.assertEqual(self.app.clipboard_formats(), [])
                    self.assertEqual(self.keys.line(), "")
                finally:
                    stop(owner)

    def test_the_transfers_picture_stays_through_typing_until_the_next_deletion(self):
        self.type(30, 31, TRANSFER)
        picture = self.app.clipboard_dib()
        self.assertIsNotNone(picture)
        self.type(*TYPING)
        self.assertEqual(self.app.clipboard_dib(), picture)
        self.type(DELETE_ONE)
        self.assertEqual(self.app.clipboard_formats(), [])


if __name__ == "__main__":
    unittest.main()
