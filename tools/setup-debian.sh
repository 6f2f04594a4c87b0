#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian 12 or 13 machine.
# Idempotent: a second run only checks. Needs root (apt-get).
set -euo pipefail

# The suite of this system, so that libpng is built from this system's own source package.
suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
case $suite in
bookworm | trixie) ;;
*) echo "tools/setup-debian.sh supports Debian 12 (bookworm) and Debian 13 (trixie), not '${suite:-unknown}'." >&2
   exit 1 ;;
esac

packages=(
  cmake ninja-build g++ pkg-config dpkg-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  googletest libgtest-dev libpng-dev zlib1g-dev
  wine wine64 xvfb xdotool xclip x11-utils x11-xserver-utils x11-apps imagemagick
  python3-fonttools python3-pil python3-pyclipper fonts-dejavu-core opentype-sanitizer fontconfig pngcheck
  nsis osslsigncode strip-nondeterminism openssl git yamllint python3-jsonschema
)

# libpng for MinGW is built from Debian's own source package, so apt needs a deb-src entry.
# It goes into a file of its own; the machine's binary lists stay as they are.
src_list=/etc/apt/sources.list.d/wexa-deb-src.sources
if ! grep -qx "Suites: $suite $suite-updates" "$src_list" 2>/dev/null; then
  cat > "$src_list" <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${need_update:-0}" = 1 ] || [ ${#missing[@]} -gt 0 ]; then
  apt-get update -q
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
