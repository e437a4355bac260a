#!/usr/bin/env bash
# The real program under Xvfb, without a window manager: it maps its window centred with its
# title; after a change, File > Exit asks, Cancel keeps it open and No lets it exit with 0,
# leaving both preferences in the user's store.
# usage: starts-and-closes.sh PROGRAM   (on a 1280x1024 screen)
set -euo pipefail
home=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT
export HOME=$home QT_QPA_PLATFORM=xcb
unset XDG_CONFIG_HOME

# mapped TITLE: the window with that title, once it is mapped
mapped() { timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1; }

"$1" & pid=$!
window=$(mapped 'VX613 ZEL File Generator   V1\.02')
eval "$(xdotool getwindowgeometry --shell "$window")"
if [ $(((X * 2 + WIDTH - 1280) ** 2 + (Y * 2 + HEIGHT - 1024) ** 2)) -gt 8 ]; then
    echo "the window is not centred: ${WIDTH}x$HEIGHT at $X,$Y"
    exit 1
fi
xdotool windowfocus --sync "$window" key 5 key alt+f x
xdotool windowfocus --sync "$(mapped 'ZEL File Generator')" key Escape
xdotool windowfocus --sync "$window" key alt+f x
xdotool windowfocus --sync "$(mapped 'ZEL File Generator')" key n
timeout 10 tail --pid="$pid" -f /dev/null || { echo "the program did not exit after No"; exit 1; }
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "the program exited with $status"; exit 1; }
printf '[Data]\nBarcodeFlag=0\nDefaultFolder=\n' | diff - "$home/.config/ZELFileGenerator/ZELFileGenerator.conf"
echo "started centred, asked on File > Exit, stayed on Cancel, closed on No, stored both preferences"
