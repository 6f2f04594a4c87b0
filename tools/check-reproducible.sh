#!/usr/bin/env bash
# Builds the program and its packages twice from this tree, in two fresh build folders of
# different names, and compares them byte for byte: the executable, the ZIP, the installer,
# SHA256SUMS and the manifests of winget and Scoop, made for the same download address. No time,
# no path may reach them (the packages' dates are the commit's).
#   tools/check-reproducible.sh            exit status 0 when they are the same
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

version=$(sed -n 's/^project(WexaFontTastatur VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for build in "$work/a" "$work/second-build"; do
    # The libpng sources come from an earlier build when there is one, else from apt.
    if [ -d build/win64/_deps/libpng-source ]; then
        mkdir -p "$build/_deps" && cp -a build/win64/_deps/libpng-source "$build/_deps/"
    fi
    # cpack itself, not the package target: that would build every test program first.
    if ! { cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
                 -DCMAKE_BUILD_TYPE=Release -DWEXA_RELEASE_URL="https://example.org/wexa/$version" &&
           cmake --build "$build" --target wexa-tastatur &&
           (cd "$build" && cpack); } > "$build.log" 2>&1; then
        tail -n 30 "$build.log"
        exit 1
    fi
done
cmp "$work/a/wexa-tastatur.exe" "$work/second-build/wexa-tastatur.exe"
made=$(cd "$work/a/packages" && find . -path ./_CPack_Packages -prune -o -type f -print | sort)
[ "$made" = "$(cd "$work/second-build/packages" && find . -path ./_CPack_Packages -prune -o -type f -print | sort)" ]
[ "$(grep -c winget/ <<<"$made")" = 4 ] && grep -q scoop/ <<<"$made" # the manifests were made
for file in $made; do
    cmp "$work/a/packages/$file" "$work/second-build/packages/$file"
    echo "identical: ${file#./}, $(stat -c %s "$work/a/packages/$file") bytes"
done
sha256sum "$work/a/wexa-tastatur.exe" | cut -d' ' -f1
echo "identical: wexa-tastatur.exe, $(stat -c %s "$work/a/wexa-tastatur.exe") bytes"
