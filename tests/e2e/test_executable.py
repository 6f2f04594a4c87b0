"""The one deliverable, wexa-tastatur.exe, as a Windows machine takes it: the DLLs it
imports (read from its import table, which Wine cannot make look better), its size, its
version information and icon as Windows reads them, and a run in a prefix without the
DLLs that Wine adds beyond Windows'."""
import subprocess
import tempfile
import unittest
from pathlib import Path

from keyboard_model import TRANSFER
from wexa_driver import EXE, PREFIX, WexaApp, probe, winpath

# DLLs every 64-bit Windows from Vista on carries in its system folder. Anything else the
# program imports would have to travel with it, and it travels alone.
WINDOWS_SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll", "ole32.dll", "oleaut32.dll",
    "oleacc.dll", "shlwapi.dll", "shell32.dll", "advapi32.dll", "msvcrt.dll", "uxtheme.dll", "imm32.dll",
    "version.dll", "winmm.dll", "ws2_32.dll", "msimg32.dll", "dwmapi.dll",
}
# DLLs that Debian's Wine puts into every prefix and no Windows has.
WINE_ONLY_DLLS = ("zlib1.dll",)
SYSTEM32 = PREFIX / "drive_c" / "windows" / "system32"
MEBIBYTE = 1 << 20


def objdump(*args, path=EXE):
    return subprocess.run(["x86_64-w64-mingw32-objdump", *args, str(path)], check=True, capture_output=True,
                          text=True).stdout


def imported_dlls(path=EXE):
    return {line.split(":", 1)[1].strip().lower() for line in objdump("-p", path=path).splitlines()
            if line.strip().startswith("DLL Name:")}


def needed_by_wine(dll):
    """Wine's own DLLs, of those the program imports, that import dll themselves."""
    return sorted(name for name in imported_dlls() if (SYSTEM32 / name).exists()
                  and dll in imported_dlls(SYSTEM32 / name))


class TheExecutableFile(unittest.TestCase):
    def test_imports_only_windows_system_dlls(self):
        imported = imported_dlls()
        self.assertIn("kernel32.dll", imported, "the import table was read")
        self.assertEqual(imported - WINDOWS_SYSTEM_DLLS, set())

    def test_at_most_a_mebibyte_without_symbols_or_link_time(self):
        self.assertLessEqual(EXE.stat().st_size, MEBIBYTE)
        sections = objdump("-h")
        self.assertNotIn(".debug", sections)
        headers = objdump("-p")
        self.assertIn("Time/Date\t\tThu Jan  1 00:00:00 1970", headers, "no link time in the header")

    def test_windows_reads_its_version_information_and_icon(self):
        info = probe("executable-info", winpath(EXE))
        self.assertEqual(info["product"], "Wexa Font Tastatur")
        self.assertIn("Vevoviv", info["description"])
        self.assertRegex(info["version"], r"^\d+\.\d+\.\d+$")
        self.assertEqual(".".join(map(str, info["file_version"][:3])), info["version"])
        self.assertEqual(info["icons"], [16, 32, 48])
        self.assertTrue(info["icon_loads"])


class WithoutTheDllsOnlyWineAdds(unittest.TestCase):
    """The program started with every Wine-only DLL disabled that Wine itself can do without.
    Debian 12's Wine builds its own user32.dll against zlib1.dll: with zlib1 disabled no
    window program starts at all, so there this run has nothing to disable and is skipped,
    and the import table above is what shows that the program needs no zlib1.dll."""

    @classmethod
    def setUpClass(cls):
        disabled = [dll for dll in WINE_ONLY_DLLS if not needed_by_wine(dll)]
        if not disabled:
            raise unittest.SkipTest("Wine's own " + ", ".join(needed_by_wine(WINE_ONLY_DLLS[0])) + " needs "
                                    + WINE_ONLY_DLLS[0])
        overrides = ";".join(dll.removesuffix(".dll") + "=d" for dll in disabled)
        cls.app = WexaApp(env={"WINEDLLOVERRIDES": overrides + ";mscoree,mshtml="}).__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.app.__exit__(None, None, None)

    def test_the_window_opens_composes_and_transfers(self):
        self.app.click(0)
        self.app.click(190)
        self.assertEqual(self.app.line_text(), "!!")
        self.app.click(TRANSFER)
        block = self.app.clipboard_dib()
        self.assertIsNotNone(block, "the transfer filled the clipboard")
        self.assertEqual(int.from_bytes(block[4:8], "little"), 90)
        with tempfile.TemporaryDirectory() as d:
            png = Path(d) / "clip.png"
            probe("clipboard-block", "PNG", winpath(png))
            self.assertEqual(png.read_bytes(), self.app.png_file.read_bytes(), "zlib inside the program wrote both")


if __name__ == "__main__":
    unittest.main()
