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
source tools/wine-env
wexa_wine_env "$build"

# The program's drives: d: holds the font file it writes, f: the picture of the last transfer.
drives=$build/drives
mkdir -p "$drives/d/kelvast6" "$drives/f/tmp"
wexa_map_drive d "$drives/d"
wexa_map_drive f "$drives/f"
echo "Drive d: is $drives/d (font file: $drives/d/kelvast6/vevoviv.ttf)"
echo "Drive f: is $drives/f (last transfer: $drives/f/tmp/wexazeile.png)"

if [ -n "$had_display" ]; then
  tools/wine-exec "$build/wexa-tastatur.exe"
  exit 0
fi

probe() { tools/wine-exec "$build/wexa-probe.exe" "$@"; }
tools/wine-exec "$build/wexa-tastatur.exe" &
for _ in $(seq 100); do
  probe window >/dev/null 2>&1 && break
  sleep 0.3
done
probe painted >/dev/null
shot=$build/screenshot.png
geometry=$(probe window | /usr/bin/python3 -c \
  'import json,sys; x,y,w,h=json.load(sys.stdin)["client"]; print(f"{w}x{h}+{x}+{y}")')
import -window root -crop "$geometry" +repage "$shot"
echo "No display: the keyboard ran in a virtual one. Screenshot: $shot"
probe close >/dev/null
wait
