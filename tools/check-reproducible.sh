#!/usr/bin/env bash
# Builds the program twice from this tree, in two fresh build folders of different names,
# and compares the two executables byte for byte: no time, no path may reach them.
#   tools/check-reproducible.sh            exit status 0 when they are the same
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for build in "$work/a" "$work/second-build"; do
    # The libpng sources come from an earlier build when there is one, else from apt.
    if [ -d build/win64/_deps/libpng-source ]; then
        mkdir -p "$build/_deps" && cp -a build/win64/_deps/libpng-source "$build/_deps/"
    fi
    if ! { cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
                 -DCMAKE_BUILD_TYPE=Release && cmake --build "$build" --target wexa-tastatur; } > "$build.log" 2>&1; then
        tail -n 30 "$build.log"
        exit 1
    fi
done
cmp "$work/a/wexa-tastatur.exe" "$work/second-build/wexa-tastatur.exe"
sha256sum "$work/a/wexa-tastatur.exe" | cut -d' ' -f1
echo "identical: $(stat -c %s "$work/a/wexa-tastatur.exe") bytes"
