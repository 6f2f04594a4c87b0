"""The packages as a Windows user gets them (build/win64/packages, made by the `package` target):
the installer's whole life, silently, in a fresh Wine prefix of its own; the ZIP unpacked on a PC
without d: and f:; the program beside planted DLLs; and both packages signed with a throwaway
certificate."""
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

VERSION = re.search(r"wexa-tastatur-(.+)-win64\.zip", " ".join(os.listdir(BUILD / "packages"))).group(1)
ZIP = BUILD / "packages" / f"wexa-tastatur-{VERSION}-win64.zip"
SETUP = BUILD / "packages" / f"wexa-tastatur-{VERSION}-win64-setup.exe"
NEWER = "99.0.1"
ENTRY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Wexa Font Tastatur"
KEYBOARD_OPEN = 32  # the installer's and uninstaller's documented exit code: ERROR_SHARING_VIOLATION
USER = next((PREFIX / "drive_c" / "users").glob("*/AppData")).parent
FOLDER = USER / "AppData" / "Local" / "Programs" / "Wexa Font Tastatur"
SHORTCUT = USER / "AppData" / "Roaming" / "Microsoft" / "Windows" / "Start Menu" / "Programs" / "Wexa Font Tastatur.lnk"
INSTALLED = ["LICENSE-libpng.txt", "LICENSE-zlib.txt", "LIESMICH.txt", "Uninstall.exe", "wexa-tastatur.exe"]
# Names that web pages are known to drop into Downloads, UxTheme among them. Not version.dll, which
# Wine's own user32 imports (Windows' does not), nor msimg32.dll, which Wine 8 loads for its own
# DLLs' delayed imports by the default search order, past SetDefaultDllDirectories.
PLANTED = ("uxtheme", "dwmapi", "winmm", "cryptbase", "profapi", "userenv", "propsys", "dbghelp",
           "iphlpapi", "winhttp", "wininet", "sspicli", "dwrite", "windowscodecs", "oleacc", "textshaping")


def wine(*args):
    return subprocess.run(["wine", *map(str, args)], env=wine_env(), capture_output=True, text=True)


def entry():
    """The Add/Remove entry's values, or None."""
    out = wine("reg", "query", ENTRY)
    return dict(re.findall(r"^\s+(\w+)\s+REG_\w+\s+(.*?)\s*$", out.stdout, re.M)) if out.returncode == 0 else None


def shortcut_target(lnk):
    """The target's path in a shell link (its LinkInfo's local base path), read by hand."""
    data = lnk.read_bytes()
    flags, at = int.from_bytes(data[20:24], "little"), 76
    if flags & 1:  # an item id list comes first
        at += 2 + int.from_bytes(data[at:at + 2], "little")
    assert flags & 2, "the shortcut names its target's path"
    base = at + int.from_bytes(data[at + 16:at + 20], "little")
    return data[base:data.index(b"\0", base)].decode("latin-1")


def state():
    """What the installer owns: its files' contents, the shortcut and the entry."""
    files = {p.name: hashlib.sha256(p.read_bytes()).hexdigest() for p in FOLDER.iterdir()} if FOLDER.exists() else {}
    return files, SHORTCUT.exists(), entry()


def cpack(out, *args, env=None):
    subprocess.run(["cpack", "--config", BUILD / "CPackConfig.cmake", "-B", out, *args], check=True,
                   capture_output=True, env=env)


def transfer_works(app):
    app.click(0)
    app.click(TRANSFER)
    block = app.clipboard_dib()
    return block is not None and int.from_bytes(block[4:8], "little") == 45


class TheInstaller(unittest.TestCase):
    def test_installs_runs_upgrades_refuses_while_open_and_uninstalls_silently(self):
        with tempfile.TemporaryDirectory(prefix="wexa-install-") as tmp:
            cpack(tmp, "-G", "NSIS", "-D", f"CPACK_PACKAGE_VERSION={NEWER}")
            newer = Path(tmp) / f"wexa-tastatur-{NEWER}-win64-setup.exe"
            self.assertEqual(wine(SETUP, "/S").returncode, 0)
            self.assertEqual(sorted(os.listdir(FOLDER)), INSTALLED)
            self.assertEqual((FOLDER / "wexa-tastatur.exe").read_bytes(), EXE.read_bytes())
            target = shortcut_target(SHORTCUT)
            self.assertTrue(target.lower().endswith(r"\appdata\local\programs\wexa font tastatur\wexa-tastatur.exe"))
            folder = target.rsplit("\\", 1)[0]
            self.assertEqual(entry(), {
                "DisplayName": "Wexa Font Tastatur", "DisplayVersion": VERSION, "Publisher": "Wexa Font Tastatur",
                "DisplayIcon": target, "InstallLocation": folder, "UninstallString": f'"{folder}\\Uninstall.exe"',
                "QuietUninstallString": f'"{folder}\\Uninstall.exe" /S', "EstimatedSize": entry()["EstimatedSize"],
                "NoModify": "0x1", "NoRepair": "0x1"})
            self.assertGreater(int(entry()["EstimatedSize"], 16), 500)  # KiB

            with WexaApp(tmp, exe=target) as app:  # started through the shortcut's target
                self.assertTrue(transfer_works(app))
                before = state()
                self.assertEqual(wine(newer, "/S").returncode, KEYBOARD_OPEN)
                # The uninstaller waits and gives its exit code when told its folder after _?=, unquoted
                # as on Windows' command line (wine quotes an argument with spaces, so it gets the words).
                waited = wine(FOLDER / "Uninstall.exe", "/S", *f"_?={folder}".split(" "))
                self.assertEqual(waited.returncode, KEYBOARD_OPEN)
                self.assertEqual(state(), before)
                traces = [app.font_file, app.png_file]
            self.assertEqual(wine(newer, "/S").returncode, 0)
            self.assertEqual(sorted(os.listdir(FOLDER)), INSTALLED)
            self.assertEqual(list(FOLDER.parent.iterdir()), [FOLDER])
            self.assertEqual(entry()["DisplayVersion"], NEWER)
            entries = wine("reg", "query", ENTRY.rsplit("\\", 1)[0]).stdout
            self.assertEqual(entries.count("Wexa Font Tastatur"), 1)

            uninstall = re.fullmatch(r'"(.+)" (/S)', entry()["QuietUninstallString"])
            self.assertEqual(wine(*uninstall.groups()).returncode, 0)
            deadline = time.monotonic() + 60  # the uninstaller runs on from a copy of itself in %TEMP%
            while state() != ({}, False, None) and time.monotonic() < deadline:
                time.sleep(0.5)
            self.assertEqual(state(), ({}, False, None))
            self.assertFalse(FOLDER.exists())
            for kept in traces:  # made with the program, not by the installer
                self.assertTrue(kept.exists(), kept)


class TheZip(unittest.TestCase):
    def test_unpacked_anywhere_it_runs_on_a_pc_without_d_and_f(self):
        with zipfile.ZipFile(ZIP) as z:
            self.assertEqual(z.namelist(), ["LICENSE-libpng.txt", "LICENSE-zlib.txt", "LIESMICH.txt",
                                            "wexa-tastatur.exe"])
            self.assertIn("English", z.read("LIESMICH.txt").decode("utf-8-sig"))
            with tempfile.TemporaryDirectory(prefix="wexa-zip-") as tmp:
                folder = Path(tmp) / "Downloads" / "wexa-tastatur (1)"
                z.extractall(folder)
                with WexaApp(tmp, drive_d=None, drive_f=None, exe=folder / "wexa-tastatur.exe") as app:
                    self.assertTrue(transfer_works(app))


class BesidePlantedDlls(unittest.TestCase):
    def test_none_is_loaded_and_the_program_works(self):
        with tempfile.TemporaryDirectory(prefix="wexa-planted-") as tmp:
            downloads = Path(tmp) / "Downloads"
            downloads.mkdir()
            shutil.copy(EXE, downloads)
            for name in PLANTED:
                shutil.copy(os.environ["WEXA_PLANTED_DLL"], downloads / f"{name}.dll")
            native_first = ",".join(PLANTED) + "=n,b;mscoree,mshtml="  # Windows' search order for them
            with WexaApp(tmp, exe=downloads / "wexa-tastatur.exe", env={"WINEDLLOVERRIDES": native_first}) as app:
                self.assertTrue(transfer_works(app))
                modules = [m.lower() for m in probe("modules")["modules"]]
                self.assertIn(winpath(downloads / "wexa-tastatur.exe").lower(), modules)
                self.assertEqual([m for m in modules if "downloads" in m and m.endswith(".dll")], [])


class Signed(unittest.TestCase):
    def test_a_named_certificate_signs_the_executable_and_the_installer(self):
        with tempfile.TemporaryDirectory(prefix="wexa-sign-") as tmp:
            t = Path(tmp)
            (t / "password").write_text("throwaway")
            subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                            "/CN=Wexa test signer", "-keyout", t / "key.pem", "-out", t / "cert.pem"],
                           check=True, capture_output=True)
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
