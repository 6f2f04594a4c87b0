#!/usr/bin/env bash
# Builds the keyboard and starts it under Wine. On your display if there is one; with
# none, in a virtual display, where it saves a screenshot, says where, and closes it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
build=$root/build/win64

bash tools/setup-debian.sh
cmake --preset win64
cmake --build --preset win64 --target wexa-tastatur wexa-probe

had_display=${DISPLAY:-}
tools/wine-session start "$build"
trap 'tools/wine-session stop "$build"' EXIT
export DISPLAY=$(cat "$build/wine/display")
export WINEPREFIX=$build/wine/prefix

# The program's drives: d: holds the font file it writes, f: the picture of the last transfer.
drives=$build/drives
mkdir -p "$drives/d/kelvast6" "$drives/f/tmp"
ln -sfn "$drives/d" "$WINEPREFIX/dosdevices/d:"
ln -sfn "$drives/f" "$WINEPREFIX/dosdevices/f:"
echo "Drive d: is $drives/d (font file: $drives/d/kelvast6/vevoviv.ttf)"
echo "Drive f: is $drives/f (last transfer: $drives/f/tmp/wexazeile.png)"

if [ -n "$had_display" ]; then
  tools/wine-exec "$build/wexa-tastatur.exe"
  exit 0
fi

tools/wine-exec "$build/wexa-tastatur.exe" &
for _ in $(seq 100); do
  tools/wine-exec "$build/wexa-probe.exe" window >/dev/null 2>&1 && break
  sleep 0.3
done
tools/wine-exec "$build/wexa-probe.exe" sync >/dev/null
shot=$build/screenshot.png
geometry=$(tools/wine-exec "$build/wexa-probe.exe" window | /usr/bin/python3 -c \
  'import json,sys; x,y,w,h=json.load(sys.stdin)["client"]; print(f"{w}x{h}+{x}+{y}")')
import -window root -crop "$geometry" +repage "$shot"
echo "No display: the keyboard ran in a virtual one. Screenshot: $shot"
tools/wine-exec "$build/wexa-probe.exe" close >/dev/null
wait
