"""The real program's tooltips: every glyph key's tooltip is the label of the syllable key
that writes the same character, and every command's names its key on the computer's
keyboard, all in one tooltip control of the main window; the pointer resting on a key shows it.
And the names it gives screen readers, seen by a recording stand-in for the accessibility
service: Wine's own refuses every name."""
import json
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

from keyboard_model import CLEAR, DELETE_ONE, GLYPH_KEYS, LINE_DISPLAY, SPACES, TRANSFER
from wexa_driver import BUILD, WINE_EXEC, WexaApp, probe, send_input, text_of, wine_env

# In the machine's classes of the test's own prefix: Wine's HKEY_CLASSES_ROOT is those alone
# (the user's classes are not merged in), and COM looks a class up there.
SERVICE = r"HKLM\Software\Classes\CLSID\{b5f8350b-0548-48b1-a6ee-88bd00b4a5e7}"  # CLSID_AccPropServices
OBJID_CLIENT, CHILDID_SELF = -4, 0


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def reg(*args):
    subprocess.run([str(WINE_EXEC), "reg", *args], env=wine_env(), check=True, stdin=subprocess.DEVNULL,
                   capture_output=True)


def register_recorder(test, folder):
    """The recording stand-in in place of Wine's own service, which is put back afterwards."""
    wine_own = windows_path(Path(folder) / "service.reg")
    reg("export", SERVICE, wine_own, "/y")
    test.addCleanup(reg, "import", wine_own)
    test.addCleanup(reg, "delete", SERVICE, "/f")
    reg("add", SERVICE + r"\InprocServer32", "/ve", "/d", windows_path(BUILD / "names_recorder.dll"), "/f")
    reg("add", SERVICE + r"\InprocServer32", "/v", "ThreadingModel", "/d", "Both", "/f")


class Tooltips(unittest.TestCase):
    def test_every_glyph_key_shows_the_label_of_its_syllable_key(self):
        with WexaApp() as app:
            answer = probe("tooltips")
            labels = {c["id"]: text_of(c["text"]) for c in app.controls()}  # read from the real keys
        self.assertEqual(answer["controls"], 1)
        tools = {number: text_of(units) for number, units in answer["tools"]}
        self.assertEqual(sorted(tools), list(GLYPH_KEYS) + sorted((SPACES, TRANSFER, CLEAR, DELETE_ONE)))
        for n in GLYPH_KEYS:
            self.assertEqual(tools[n], labels[n + 190], f"glyph key {n}")
        # Each command's key, and for the removing ones what brings their work back.
        for n, key in ((TRANSFER, "Strg+C"), (DELETE_ONE, "R\u00fccktaste"), (CLEAR, "Strg+Z"), (SPACES, "Strg+Z")):
            self.assertIn(key, tools[n], f"command {n}")

    def test_the_pointer_resting_on_a_glyph_key_brings_up_the_tooltip(self):
        with WexaApp() as app:
            self.assertFalse(probe("tooltips")["shown"])
            send_input("mousemove", *app.screen_point(0))
            deadline = time.monotonic() + 10  # the tooltip's delay is half a second
            while not probe("tooltips")["shown"] and time.monotonic() < deadline:
                time.sleep(0.1)
            self.assertTrue(probe("tooltips")["shown"])


def names_given(test, record):
    """Window: (number, name) of each name the record shows given and not taken away since."""
    named = {}
    for call in map(json.loads, record.read_text().splitlines()):
        test.assertEqual((call["object"], call["child"], call["name"]), (OBJID_CLIENT, CHILDID_SELF, True), call)
        if call["call"] == "set":
            named[call["hwnd"]] = (call["id"], text_of(call["text"]))
        else:
            named.pop(call["hwnd"], None)
    return named


class AccessibleNames(unittest.TestCase):
    def test_every_glyph_key_is_named_by_its_syllable_and_the_line_display_by_the_lines_syllables(self):
        folder = tempfile.TemporaryDirectory(prefix="wexa-names-")
        self.addCleanup(folder.cleanup)  # last: it holds Wine's own service until that is put back
        register_recorder(self, folder.name)
        record = Path(folder.name) / "names.jsonl"
        with WexaApp(env={"WEXA_NAMES_RECORD": windows_path(record)}) as app:
            for n in (0, SPACES, 369, 270):
                app.click(n)
            labels = {c["id"]: text_of(c["text"]) for c in app.controls()}
            line_display = probe("line-display")["hwnd"]
            named = names_given(self, record)
            self.assertEqual(app.close(), 0)
        expected = {n: labels[n + 190] for n in GLYPH_KEYS}
        expected[LINE_DISPLAY] = "ab, gud \u010da"
        self.assertEqual(dict(named.values()), expected)
        self.assertEqual(named[line_display][0], LINE_DISPLAY)  # the one there now: the old ones' names taken away
        self.assertEqual(names_given(self, record), {})  # and every name at the end


if __name__ == "__main__":
    unittest.main()
