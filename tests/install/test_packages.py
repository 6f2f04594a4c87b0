"""The packages as a Windows user gets them (build/win64/packages): the installer's whole life,
silently, in a fresh Wine prefix of its own; the ZIP on a PC without d: and f:; the program beside
planted DLLs; both packages signed with a throwaway certificate."""
import hashlib
import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest
import zipfile
from pathlib import Path

from keyboard_model import TRANSFER
from wexa_driver import BUILD, EXE, PREFIX, WexaApp, probe, wine_env, winpath

VERSION = re.search(r'CPACK_PACKAGE_VERSION "(.+?)"', (BUILD / "CPackConfig.cmake").read_text()).group(1)
ZIP = BUILD / "packages" / f"wexa-tastatur-{VERSION}-win64.zip"
SETUP = ZIP.with_name(f"wexa-tastatur-{VERSION}-win64-setup.exe")
ENTRY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Wexa Font Tastatur"
KEYBOARD_OPEN = 32  # the installer's and the uninstaller's documented exit code
USER = next((PREFIX / "drive_c" / "users").glob("*/AppData")).parent
FOLDER = USER / "AppData/Local/Programs/Wexa Font Tastatur"
SHORTCUT = USER / "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Wexa Font Tastatur.lnk"
CONTENTS = ["LICENSE-libpng.txt", "LICENSE-zlib.txt", "LIESMICH.txt", "wexa-tastatur.exe"]
# Names that web pages are known to drop into Downloads, UxTheme among them. Not version.dll, which
# Wine's own user32 imports (Windows' does not), nor msimg32.dll, which Wine 8 loads for its own
# DLLs' delayed imports by the default search order, past SetDefaultDllDirectories. Wine's user32
# also tries uxtheme.dll that way as it starts, before any code of the program, and lets a file
# without IsThemeActive go at once: what counts is what the running program holds.
PLANTED = ("uxtheme", "dwmapi", "winmm", "cryptbase", "profapi", "userenv", "propsys", "dbghelp",
           "iphlpapi", "winhttp", "wininet", "sspicli", "dwrite", "windowscodecs", "oleacc", "textshaping")


def wine(*args):
    return subprocess.run(["wine", *map(str, args)], env=wine_env(), capture_output=True, text=True).returncode


def reg(key=ENTRY):
    return subprocess.run(["wine", "reg", "query", key], env=wine_env(), capture_output=True, text=True).stdout


def entry():
    return dict(re.findall(r"^\s+(\w+)\s+REG_\w+\s+(.*?)\s*$", reg(), re.M)) or None


def shortcut_target(lnk):
    """The target's path in a shell link (its LinkInfo's local base path), read by hand."""
    data = lnk.read_bytes()
    flags, at = int.from_bytes(data[20:24], "little"), 76
    if flags & 1:  # an item id list comes first
        at += 2 + int.from_bytes(data[at:at + 2], "little")
    base = at + int.from_bytes(data[at + 16:at + 20], "little")
    return data[base:data.index(b"\0", base)].decode("latin-1") if flags & 2 else None


def state():
    """What the installer owns: its files' contents, the shortcut and the entry."""
    files = {p.name: hashlib.sha256(p.read_bytes()).digest() for p in FOLDER.iterdir()} if FOLDER.exists() else {}
    return files, SHORTCUT.exists(), entry()


def cpack(out, *args, env=None):
    subprocess.run(["cpack", "--config", BUILD / "CPackConfig.cmake", "-B", out, *args], check=True, env=env)


def transfer_works(app):
    app.click(0)
    app.click(TRANSFER)
    return len(app.clipboard_dib() or b"") > 40 + 45 * 50 * 3


class Packages(unittest.TestCase):
    def test_the_installer_installs_runs_upgrades_refuses_while_open_and_uninstalls(self):
        with tempfile.TemporaryDirectory(prefix="wexa-install-") as tmp:
            cpack(tmp, "-G", "NSIS", "-D", "CPACK_PACKAGE_VERSION=99.0.1")
            newer = Path(tmp) / "wexa-tastatur-99.0.1-win64-setup.exe"
            self.assertEqual(wine(SETUP, "/S"), 0)
            self.assertEqual(sorted(os.listdir(FOLDER)), sorted(CONTENTS + ["Uninstall.exe"]))
            self.assertEqual((FOLDER / "wexa-tastatur.exe").read_bytes(), EXE.read_bytes())
            target = shortcut_target(SHORTCUT)
            self.assertRegex(target, r"(?i)^c:\\users\\.+\\appdata\\local\\programs\\wexa font tastatur\\wexa-tastatur")
            folder = target.rsplit("\\", 1)[0]
            uninstaller = folder + "\\Uninstall.exe"
            values = entry()
            self.assertGreater(int(values.pop("EstimatedSize"), 16), 500)  # KiB
            self.assertEqual(values, {
                "DisplayName": "Wexa Font Tastatur", "DisplayVersion": VERSION, "Publisher": "Wexa Font Tastatur",
                "DisplayIcon": target, "InstallLocation": folder, "UninstallString": f'"{uninstaller}"',
                "QuietUninstallString": f'"{uninstaller}" /S', "NoModify": "0x1", "NoRepair": "0x1"})
            with WexaApp(tmp, exe=target) as app:  # started through the shortcut's target
                self.assertTrue(transfer_works(app))
                before = state()
                self.assertEqual(wine(newer, "/S"), KEYBOARD_OPEN)
                # It waits and gives its exit code when told its folder after _?=, unquoted as on
                # Windows' command line (wine quotes an argument with spaces, so it gets the words).
                self.assertEqual(wine(uninstaller, "/S", *f"_?={folder}".split(" ")), KEYBOARD_OPEN)
                self.assertEqual(state(), before)
                made = [app.font_file, app.png_file]
            self.assertEqual(wine(newer, "/S"), 0)
            self.assertEqual(list(FOLDER.parent.iterdir()), [FOLDER])
            self.assertEqual(len(state()[0]), 5)
            self.assertEqual(entry()["DisplayVersion"], "99.0.1")
            self.assertEqual(reg(ENTRY.rsplit("\\", 1)[0]).count("Wexa"), 1)
            self.assertEqual(wine(*re.fullmatch(r'"(.+)" (/S)', entry()["QuietUninstallString"]).groups()), 0)
            deadline = time.monotonic() + 60  # it runs on from a copy of itself in %TEMP%
            while FOLDER.exists() and time.monotonic() < deadline:
                time.sleep(0.5)
            self.assertEqual(state(), ({}, False, None))
            self.assertEqual([p.exists() for p in made], [True, True])  # the user's, not the installer's

    def test_the_zip_unpacked_anywhere_runs_on_a_pc_without_d_and_f(self):
        with zipfile.ZipFile(ZIP) as z, tempfile.TemporaryDirectory(prefix="wexa-zip-") as tmp:
            self.assertEqual(z.namelist(), CONTENTS)
            z.extractall(Path(tmp) / "Downloads" / "wexa-tastatur (1)")
            exe = Path(tmp) / "Downloads" / "wexa-tastatur (1)" / "wexa-tastatur.exe"
            with WexaApp(tmp, drive_d=None, drive_f=None, exe=exe) as app:
                self.assertTrue(transfer_works(app))

    def test_beside_planted_dlls_none_is_loaded_and_the_program_works(self):
        with tempfile.TemporaryDirectory(prefix="wexa-planted-") as tmp:
            downloads = Path(tmp) / "Downloads"
            downloads.mkdir()
            for name in PLANTED:
                shutil.copy(os.environ["WEXA_PLANTED_DLL"], downloads / f"{name}.dll")
            shutil.copy(EXE, downloads)
            native_first = ",".join(PLANTED) + "=n,b;mscoree,mshtml="  # Windows' search order for them
            with WexaApp(tmp, exe=downloads / EXE.name, env={"WINEDLLOVERRIDES": native_first}) as app:
                self.assertTrue(transfer_works(app))
                modules = [m.lower() for m in probe("modules")["modules"]]
            beside = [m for m in modules if m.startswith(winpath(downloads).lower())]
            self.assertEqual(beside, [winpath(downloads / EXE.name).lower()])  # the program alone

    def test_a_named_certificate_signs_the_executable_and_the_installer(self):
        with tempfile.TemporaryDirectory(prefix="wexa-sign-") as tmp:
            t = Path(tmp)
            (t / "password").write_text("throwaway")
            subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                            "/CN=Wexa test signer", "-addext", "extendedKeyUsage=codeSigning", "-keyout",
                            t / "key.pem", "-out", t / "cert.pem"], check=True, capture_output=True)
            subprocess.run(["openssl", "pkcs12", "-export", "-inkey", t / "key.pem", "-in", t / "cert.pem",
                            "-passout", f"file:{t / 'password'}", "-out", t / "signer.pfx"], check=True)
            cpack(t, env=dict(os.environ, WEXA_SIGN_PFX=str(t / "signer.pfx"),
                              WEXA_SIGN_PASSWORD_FILE=str(t / "password")))
            with zipfile.ZipFile(t / ZIP.name) as z:
                z.extract("wexa-tastatur.exe", t)
            for signed in (t / "wexa-tastatur.exe", t / SETUP.name):
                verify = subprocess.run(["osslsigncode", "verify", "-CAfile", t / "cert.pem", "-in", signed],
                                        capture_output=True, text=True)
                self.assertEqual(verify.returncode, 0, verify.stdout + verify.stderr)
                self.assertIn("Wexa test signer", verify.stdout)


if __name__ == "__main__":
    unittest.main()
