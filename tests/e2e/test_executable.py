"""The one deliverable, wexa-tastatur.exe, as a Windows machine takes it: the DLLs it
imports (read from its import table, which Wine cannot make look better) and names, its
size, and its version information and icon as Windows reads them."""
import subprocess
import unittest

from wexa_driver import EXE, probe, winpath

# DLLs every 64-bit Windows from Vista on carries in its system folder. Anything else the
# program imports would have to travel with it, and it travels alone.
WINDOWS_SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll", "ole32.dll", "oleaut32.dll",
    "oleacc.dll", "shlwapi.dll", "shell32.dll", "advapi32.dll", "msvcrt.dll", "uxtheme.dll", "imm32.dll",
    "version.dll", "winmm.dll", "ws2_32.dll", "msimg32.dll", "dwmapi.dll",
}
# DLLs that Debian's Wine puts into every prefix and no Windows has.
WINE_ONLY_DLLS = ("zlib1.dll",)
MEBIBYTE = 1 << 20


def objdump(*args, path=EXE):
    return subprocess.run(["x86_64-w64-mingw32-objdump", *args, str(path)], check=True, capture_output=True,
                          text=True).stdout


def imported_dlls(path=EXE):
    return {line.split(":", 1)[1].strip().lower() for line in objdump("-p", path=path).splitlines()
            if line.strip().startswith("DLL Name:")}


class TheExecutableFile(unittest.TestCase):
    def test_imports_only_windows_system_dlls(self):
        imported = imported_dlls()
        self.assertIn("kernel32.dll", imported, "the import table was read")
        self.assertEqual(imported - WINDOWS_SYSTEM_DLLS, set())

    def test_names_no_dll_that_only_wine_has(self):
        # Nor loads one by name: Wine's own user32 needs zlib1.dll, so no run could leave it out.
        data = EXE.read_bytes().lower()
        for dll in WINE_ONLY_DLLS:
            for spelling in (dll.encode("ascii"), dll.encode("utf-16-le")):
                self.assertNotIn(spelling, data)

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

if __name__ == "__main__":
    unittest.main()
