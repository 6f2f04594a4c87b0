"""The keyboard's 364 buttons as the program's own key table describes them (read once
through the probe), for the end-to-end tests: what a click on each does, where each stands.
The table itself is checked against the keyboard's layout and the font generator by the
key table's unit test; these tests check that the running program shows and does what it says.
"""
import unittest

from wexa_driver import NUMBERS, WexaApp, probe, text_of


def _keys():
    return {k["number"]: k for k in NUMBERS.table["keys"]}


def _number_of(action, text=None):
    return next(n for n, k in _keys().items() if k["action"] == action and (text is None or text_of(k["text"]) == text))


def __getattr__(name):
    # The numbers are read from the program when a test first asks for them.
    numbers = {
        "BUTTONS": lambda: sorted(_keys()),
        "GLYPH_KEYS": lambda: [n for n, k in _keys().items() if k["action"] == "append" and k["label"] == k["text"]],
        "SYLLABLE_KEYS": lambda: [n for n, k in _keys().items() if k["action"] == "append" and
                                  k["label"] != k["text"] and len(k["text"]) == 1],
        "SPACES": lambda: _number_of("append", "  "),
        "TRANSFER": lambda: _number_of("transfer"),
        "CLEAR": lambda: _number_of("clear"),
        "DELETE_ONE": lambda: _number_of("delete"),
        # (character code, syllable) of glyph keys 0 to 179; {number: (x, label)} of the commands.
        "FONT_KEYS": lambda: [(_keys()[n]["text"][0], label(n + 190)) for n in __getattr__("GLYPH_KEYS")],
        "COMMANDS": lambda: {n: (k["rect"][0], label(n)) for n, k in _keys().items() if len(k["text"]) != 1},
        "LINE_DISPLAY": lambda: NUMBERS.line_display,
        "PENDING_LETTERS": lambda: NUMBERS.pending_letters,
        "PREVIEW": lambda: NUMBERS.preview,
        "SAVE_STATUS": lambda: NUMBERS.table["save_status"],
    }
    if name in numbers:
        return numbers[name]()
    raise AttributeError(name)


def character(number):
    """The character a glyph or syllable key appends."""
    return text_of(_keys()[number]["text"])


def label(number):
    return text_of(_keys()[number]["label"])


def rect96(number):
    """(x, y, width, height) of the button, or of another gadget, in 96-DPI units."""
    if number in _keys():
        return tuple(_keys()[number]["rect"])
    return tuple(NUMBERS.table["places"][str(number)])


def mul_div(value, dpi):
    """Windows' MulDiv(value, dpi, 96) for the non-negative values of the layout."""
    return (value * dpi + 48) // 96


def layout_differences(controls, dpi):
    """The gadgets whose rectangles are not those of the 96-DPI layout scaled to `dpi` (the
    preview keeps its picture's size in pixels): {number: (seen, expected)}."""
    wrong = {}
    for c in controls:
        x, y, width, height = rect96(c["id"])
        left, top = mul_div(x, dpi), mul_div(y, dpi)
        if c["id"] == NUMBERS.preview:
            expected = [left, top, left + c["rect"][2] - c["rect"][0], top + height]
        else:
            expected = [left, top, left + mul_div(width, dpi), top + mul_div(height, dpi)]
        if c["rect"] != expected:
            wrong[c["id"]] = (c["rect"], expected)
    return wrong


def after(line, number):
    """The line after a click on the button."""
    key = _keys()[number]
    return {"append": lambda: line + text_of(key["text"]), "transfer": lambda: line,
            "clear": lambda: "", "delete": lambda: line[:-1]}[key["action"]]()


def rebuilds_line_display(number):
    return _keys()[number]["action"] != "transfer"


class Keyboard:
    """The running program's buttons, clicked with real pointer input at places read once."""

    def __init__(self, app):
        self.app = app
        w = app.window()
        ox, oy = w["client"][:2]
        self.points = {}
        for c in app.controls():
            left, top, right, bottom = c["rect"]
            self.points[c["id"]] = (ox + (left + right) // 2, oy + (top + bottom) // 2)

    def click(self, number):
        self.app.click_at(*self.points[number])

    @staticmethod
    def line_display():
        """(number of line displays, handle of the first, its text as a string)."""
        answer = probe("line-display")
        return answer["count"], answer["hwnd"], text_of(answer["text"])

    def line(self):
        return self.line_display()[2]


class KeyboardTestCase(unittest.TestCase):
    """One running program for all tests of a class; each test starts from the empty line
    that "alles Löschen" leaves."""

    @classmethod
    def setUpClass(cls):
        cls.app = WexaApp().__enter__()
        cls.keys = Keyboard(cls.app)

    @classmethod
    def tearDownClass(cls):
        cls.app.__exit__(None, None, None)

    def setUp(self):
        self.keys.click(__getattr__("CLEAR"))
        self.assertEqual(self.keys.line(), "")
