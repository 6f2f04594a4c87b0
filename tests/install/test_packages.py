"""The packages as a Windows user gets them (build/win64/packages): the installer's whole life,
silently, in a fresh Wine prefix of its own; an installation that meets a full disk; the ZIP on a
PC without d: and f:; the program beside planted DLLs; both packages signed with a throwaway
certificate; the manifests of winget and Scoop made with them."""
import atexit
import functools
import hashlib
import json
import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest
import zipfile
from pathlib import Path

import jsonschema
import yaml
from keyboard_model import TRANSFER
from wexa_driver import BUILD, EXE, PREFIX, WexaApp, probe, wine_env, winpath

VERSION = re.search(r'CPACK_PACKAGE_VERSION "(.+?)"', (BUILD / "CPackConfig.cmake").read_text()).group(1)
ZIP = BUILD / "packages" / f"wexa-tastatur-{VERSION}-win64.zip"
SETUP = ZIP.with_name(f"wexa-tastatur-{VERSION}-win64-setup.exe")
UNINSTALL = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall"
ENTRY = UNINSTALL + r"\Wexa Font Tastatur"
KEYBOARD_OPEN, FILE_IN_USE, WRITE_FAILED = 32, 33, 112  # the installer's documented exit codes
URL = "https://example.org/wexa/{}"  # where the test's releases are published
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

YAMLLINT = "{extends: default, rules: {document-start: disable, line-length: {max: 120}}}"
# winget's schema 1.12.0 (transcribed): each file's fields that it requires (*), and the format it
# gives each field that we write. No other field may appear, so that a misspelt one shows.
PART, TEXT = r'[^.\s\\/:*?"<>|\x01-\x1f]{1,32}', r"[\s\S]{%d,%d}"
LOCALE, WEB = r"([a-zA-Z]{2,3}|[iI]-[a-zA-Z]+|[xX]-[a-zA-Z]{1,8})(-[a-zA-Z]{1,8})*", r"[Hh][Tt][Tt][Pp][Ss]?://.+"
TEXTS = {"PackageLocale*": LOCALE, "Publisher": TEXT % (2, 256), "PackageName": TEXT % (2, 256), "PackageUrl": WEB,
         "License": TEXT % (3, 512), "ShortDescription": TEXT % (3, 256), "Description": TEXT % (3, 10000),
         "Moniker": TEXT % (1, 40)}
WINGET = {
    "version": {"DefaultLocale*": LOCALE},
    "defaultLocale": TEXTS | {f"{k}*": TEXTS[k] for k in ("Publisher", "PackageName", "License", "ShortDescription")},
    "locale": TEXTS,
    "installer": {
        "MinimumOSVersion": r"\d{1,5}(\.\d{1,5}){0,3}", "Scope": ("user", "machine"),
        "InstallerType": tuple("msix msi appx exe zip inno nullsoft wix burn pwa portable font".split()),
        "InstallModes": [("interactive", "silent", "silentWithProgress")],
        "UpgradeBehavior": ("install", "uninstallPrevious", "deny"), "ProductCode": TEXT % (1, 255),
        "ExpectedReturnCodes": [{"InstallerReturnCode*": int, "ReturnResponse*": r"\w+"}],
        "AppsAndFeaturesEntries": [dict.fromkeys(("DisplayName", "Publisher", "DisplayVersion", "ProductCode"),
                                                 TEXT % (1, 128))],
        "InstallationMetadata": {"DefaultInstallLocation": TEXT % (1, 2048)}, "ReleaseDate": r"\d{4}-\d\d-\d\d",
        "Installers*": [{"Architecture*": ("x86", "x64", "arm", "arm64", "neutral"), "InstallerUrl*": WEB,
                         "InstallerSha256*": "[A-Fa-f0-9]{64}"}]}}


def schema(form):
    """A JSON schema from the forms above: a field's pattern, its choices (a tuple), [an array], int."""
    if isinstance(form, dict):
        return {"type": "object", "additionalProperties": False, "required": [k[:-1] for k in form if k[-1] == "*"],
                "properties": {k.rstrip("*"): schema(v) for k, v in form.items()}}
    if isinstance(form, list):
        return {"type": "array", "minItems": 1, "uniqueItems": True, "items": schema(form[0])}
    if isinstance(form, tuple):
        return {"enum": list(form)}
    return {"type": "integer", "not": {"const": 0}} if form is int else {"type": "string", "pattern": f"^{form}$"}


def winget_schema(kind):
    return schema(WINGET[kind] | {"PackageIdentifier*": rf"{PART}(\.{PART}){{1,7}}", "ManifestType*": (kind,),
                                  "PackageVersion*": r'[^\\/:*?"<>|\x01-\x1f]{1,128}', "ManifestVersion*": r"1\.12\.0"})


def wine(*args):
    return subprocess.run(["wine", *map(str, args)], env=wine_env(), capture_output=True, text=True).returncode


def reg(key=ENTRY):
    """The key's listing, or why there is none: reg's own message, which says it is absent or what failed."""
    return subprocess.run(["wine", "reg", "query", key], env=wine_env(), stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, text=True).stdout


def entry(key=ENTRY):
    return dict(re.findall(r"^\s+(\w+)\s+REG_\w+\s+(.*?)\s*$", reg(key), re.M)) or None


def shortcut_target(lnk):
    """The target's path in a shell link (its LinkInfo's local base path), read by hand."""
    data = lnk.read_bytes()
    flags, at = int.from_bytes(data[20:24], "little"), 76
    if flags & 1:  # an item id list comes first
        at += 2 + int.from_bytes(data[at:at + 2], "little")
    base = at + int.from_bytes(data[at + 16:at + 20], "little")
    return data[base:data.index(b"\0", base)].decode("latin-1") if flags & 2 else None


def sha256(path):
    return hashlib.sha256(Path(path).read_bytes()).hexdigest()


def state(folder=FOLDER):
    """What the installer owns: its files' contents, the shortcut and the entry."""
    files = {p.name: p.is_file() and sha256(p) for p in folder.iterdir()} if folder.exists() else {}
    return files, SHORTCUT.exists(), entry()


def uninstall_quietly(folder=FOLDER):
    """As Apps & features does it, and waits: it runs on from a copy of itself in %TEMP%."""
    assert wine(*re.fullmatch(r'"(.+)" (/S)', entry()["QuietUninstallString"]).groups()) == 0
    deadline = time.monotonic() + 60
    while (folder.exists() or entry()) and time.monotonic() < deadline:
        time.sleep(0.5)


def cpack(out, *args, env=None):
    subprocess.run(["cpack", "--config", BUILD / "CPackConfig.cmake", "-B", out, *args], check=True, env=env)


@functools.cache
def release(version):
    """Both packages of VERSION and their manifests, published under URL. A newer version's program is
    1 MiB larger (bytes appended where it would be signed), so that an upgrade in place would not fit."""
    out = Path(tempfile.mkdtemp(prefix=f"wexa-release-{version}-"))
    atexit.register(shutil.rmtree, out)
    (out / "grow").write_text('#!/bin/sh\ncase "$1" in *wexa-tastatur.exe) head -c 1M /dev/zero >> "$1";; esac\n')
    (out / "grow").chmod(0o755)
    cpack(out, "-D", f"CPACK_PACKAGE_VERSION={version}", "-D", f"CPACK_WEXA_RELEASE_URL={URL.format(version)}",
          *(["-D", f"CPACK_WEXA_SIGN={out / 'grow'}"] if version != VERSION else []))
    return out


def sums(folder):
    return dict(line.split("  ")[::-1] for line in (folder / "SHA256SUMS").read_text().splitlines())


def winget(folder, version=VERSION):
    manifests = (yaml.safe_load(p.read_text()) for p in (folder / "winget" / version).iterdir())
    return {m["ManifestType"]: m for m in manifests}


def transfer_works(app):
    app.click(0)
    app.click(TRANSFER)
    return len(app.clipboard_dib() or b"") > 40 + 45 * 50 * 3


class Packages(unittest.TestCase):
    def test_the_installer_installs_runs_upgrades_refuses_while_open_and_uninstalls(self):
        newer = release("99.0.1") / "wexa-tastatur-99.0.1-win64-setup.exe"
        with tempfile.TemporaryDirectory(prefix="wexa-install-") as tmp:
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
            default = winget(release(VERSION))["installer"]["InstallationMetadata"]["DefaultInstallLocation"]
            self.assertEqual(default.replace("%LOCALAPPDATA%", rf"c:\users\{USER.name}\AppData\Local").lower(),
                             folder.lower())
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
            listing = reg(ENTRY.rsplit("\\", 1)[0])
            self.assertEqual(listing.count("Wexa"), 1, listing)  # once seen as 0: the listing says why
            uninstall_quietly()
            self.assertEqual(state(), ({}, False, None))
            self.assertEqual([p.exists() for p in made], [True, True])  # the user's, not the installer's

    def test_a_full_disk_or_a_held_file_leaves_no_half_install_and_the_installed_version_whole(self):
        setup, newer = release(VERSION) / SETUP.name, release("99.0.1") / "wexa-tastatur-99.0.1-win64-setup.exe"
        manifest = winget(release(VERSION))["installer"]
        tmp = self.enterContext(tempfile.TemporaryDirectory(prefix="wexa-disk-"))
        (disk := Path(tmp) / "disk").mkdir()  # a small disk of its own, unmounted before tmp is removed
        subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", disk], check=True)
        self.addCleanup(subprocess.run, ["umount", "--lazy", disk], check=True)
        resize = lambda kib: subprocess.run(["mount", "-o", f"remount,size={kib}k", disk], check=True)
        folder = disk / "Wexa Font Tastatur"
        into = f"/D={winpath(folder)}".split(" ")  # last, unquoted, as on Windows' command line
        self.assertEqual(wine(setup, "/S", *into), WRITE_FAILED)
        self.assertEqual((list(disk.iterdir()), SHORTCUT.exists(), entry()), ([], False, None))
        resize(16 * 1024)
        self.assertEqual(wine(setup, "/S", *into), 0)
        values = entry(rf"{UNINSTALL}\{manifest['ProductCode']}")  # the key that the manifest names
        apps_and_features = manifest["AppsAndFeaturesEntries"][0]
        self.assertEqual({k: values.get(k) for k in apps_and_features} | {"ProductCode": manifest["ProductCode"]},
                         apps_and_features)
        self.assertEqual([values["InstallLocation"].lower(), values["QuietUninstallString"].lower()],
                         [winpath(folder).lower(), f'"{winpath(folder)}\\uninstall.exe" /s'.lower()])
        before = state(folder)
        resize((lambda d: (d.f_blocks - d.f_bfree) * d.f_frsize // 1024 + 128)(os.statvfs(disk)))  # 128 KiB left
        self.assertEqual(wine(newer, "/S"), WRITE_FAILED)  # an upgrade: without /D, into the same folder
        self.assertEqual(state(folder), before)
        with WexaApp(tmp, exe=folder / "wexa-tastatur.exe") as app:
            self.assertTrue(transfer_works(app))
        resize(16 * 1024)
        # The last file the installer replaces held open: every other one, the program first, was moved aside.
        hold = ["wine", os.environ["WEXA_HOLD_FILE"], winpath(folder / "Uninstall.exe")]
        with subprocess.Popen(hold, stdin=subprocess.PIPE, stdout=subprocess.PIPE, env=wine_env()) as holder:
            self.assertEqual(holder.stdout.readline().strip(), b"held")
            self.assertEqual(wine(newer, "/S"), FILE_IN_USE)
            self.assertEqual(state(folder), before)
            holder.stdin.close()
        self.assertEqual(wine(newer, "/S"), 0)
        with zipfile.ZipFile(newer.with_name("wexa-tastatur-99.0.1-win64.zip")) as z:
            self.assertEqual((folder / "wexa-tastatur.exe").read_bytes(), z.read("wexa-tastatur.exe"))
        self.assertEqual([entry()["DisplayVersion"], entry()["InstallLocation"]], ["99.0.1", values["InstallLocation"]])
        uninstall_quietly(folder)
        self.assertEqual(state(folder), ({}, False, None))

    def test_the_manifests_name_the_files_of_this_build_with_their_hashes_and_one_version(self):
        with tempfile.TemporaryDirectory(prefix="wexa-stale-") as tmp:
            (Path(tmp) / SETUP.name).write_bytes(b"an installer of an earlier build")
            cpack(tmp, "-G", "ZIP", "-D", f"CPACK_WEXA_RELEASE_URL={URL.format(VERSION)}")  # no installer made
            self.assertEqual(sums(Path(tmp)), {ZIP.name: sha256(Path(tmp) / ZIP.name)})
            self.assertFalse((Path(tmp) / "winget").exists())
        out = release(VERSION)
        self.assertEqual(sums(out), {p.name: sha256(p) for p in (out / ZIP.name, out / SETUP.name)})
        lint = subprocess.run(["yamllint", "--strict", "-d", YAMLLINT, out / "winget" / VERSION],
                              capture_output=True, text=True)
        self.assertEqual(lint.returncode, 0, lint.stdout)
        manifests = winget(out)
        self.assertEqual(sorted(manifests), sorted(WINGET))
        [jsonschema.validate(manifest, winget_schema(kind)) for kind, manifest in manifests.items()]
        installer, release_url = manifests["installer"], URL.format(VERSION)
        self.assertEqual([manifests[k]["PackageLocale"] for k in ("defaultLocale", "locale")], ["de-DE", "en-US"])
        self.assertEqual({c["InstallerReturnCode"]: c["ReturnResponse"] for c in installer["ExpectedReturnCodes"]},
                         {KEYBOARD_OPEN: "packageInUse", FILE_IN_USE: "fileInUse", WRITE_FAILED: "diskFull"})
        self.assertEqual(installer["Installers"], [{"InstallerUrl": f"{release_url}/{SETUP.name}",
                                                    "InstallerSha256": sums(out)[SETUP.name].upper(),
                                                    "Architecture": "x64"}])
        scoop = json.loads((out / "scoop" / "wexa-tastatur.json").read_text())
        self.assertEqual(scoop["architecture"]["64bit"],
                         {"url": f"{release_url}/{ZIP.name}", "hash": sums(out)[ZIP.name]})
        autoupdate = scoop["autoupdate"]["architecture"]["64bit"]["url"]
        self.assertEqual(autoupdate.replace("$version", VERSION), f"{release_url}/{ZIP.name}")
        self.assertEqual(re.search(scoop["checkver"]["regex"], (out / "SHA256SUMS").read_text()).group(1), VERSION)
        self.assertEqual((scoop["shortcuts"], {"description", "homepage", "license"} <= scoop.keys()),
                         ([["wexa-tastatur.exe", "Wexa Font Tastatur"]], True))
        versions = {m["PackageVersion"] for m in manifests.values()} | {scoop["version"]}
        self.assertEqual(versions | {installer["AppsAndFeaturesEntries"][0]["DisplayVersion"]}, {VERSION})

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
