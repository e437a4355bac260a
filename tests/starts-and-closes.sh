#!/usr/bin/env bash
# The real program under Xvfb: it maps its window with its title, closes through File > Exit,
# exits with 0 and leaves both preferences in the user's store.
# usage: starts-and-closes.sh PROGRAM
set -euo pipefail
home=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT
export HOME=$home QT_QPA_PLATFORM=xcb
unset XDG_CONFIG_HOME

"$1" & pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^VX613 ZEL File Generator   V1\.02$' | head -n 1)
xdotool windowfocus --sync "$window"
xdotool key --window "$window" alt+f
xdotool key x
status=0
timeout 10 tail --pid="$pid" -f /dev/null || { echo "the program did not exit after File > Exit"; exit 1; }
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "the program exited with $status"; exit 1; }
printf '[Data]\nBarcodeFlag=0\nDefaultFolder=\n' | diff - "$home/.config/ZELFileGenerator/ZELFileGenerator.conf"
echo "started, closed through File > Exit and stored both preferences"
