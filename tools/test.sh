#!/usr/bin/env bash
# Builds everything and runs every test: the platform-free code natively under the
# sanitizers, then the Windows program, its packages and its tests under Wine (a virtual
# display when none is set). Does all set-up on a fresh Debian 12 or 13 machine first. Ends
# with the slowest tests and the time the tests took.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/setup-debian.sh
started=$SECONDS

status=0
cmake --preset native
cmake --build --preset native
ctest --preset native --output-junit junit.xml || status=$?

cmake --preset win64
cmake --build --preset win64
cmake --build --preset win64 --target package # the downloads, which tests/install takes apart
ctest --preset win64 --output-junit junit.xml || status=$?

/usr/bin/python3 tools/slowest-tests.py build/native/junit.xml build/win64/junit.xml
echo "Built and tested in $((SECONDS - started)) s."
exit $status
