#!/usr/bin/env bash
# Builds everything and runs every test: the platform-free code natively under the
# sanitizers, then the Windows program and its tests under Wine (a virtual display
# when none is set). Does all set-up on a fresh Debian 12 machine first.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/setup-debian.sh

cmake --preset native
cmake --build --preset native
ctest --preset native

cmake --preset win64
cmake --build --preset win64
ctest --preset win64
