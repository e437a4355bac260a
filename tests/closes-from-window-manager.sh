#!/usr/bin/env bash
# The real program under Xvfb: it starts with its title, closes on the window manager's close
# request, and leaves both preferences in the user's store.
# usage: closes-from-window-manager.sh PROGRAM X11WINDOW
set -euo pipefail
program=$1
x11window=$2
title="VX613 ZEL File Generator   V1.02"

home=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT
export HOME=$home
unset XDG_CONFIG_HOME
export QT_QPA_PLATFORM=xcb

"$program" & pid=$!
"$x11window" wait "$title" 30 || { echo "no window titled '$title'"; exit 1; }
"$x11window" close "$title"
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "the program did not exit after the close request"
    exit 1
fi
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "the program exited with $status"; exit 1; }

conf=$home/.config/ZELFileGenerator/ZELFileGenerator.conf
cat "$conf"
grep -qx '\[Data\]' "$conf"
grep -qx 'DefaultFolder=' "$conf"
grep -qx 'BarcodeFlag=0' "$conf"
echo "closed on request and stored both preferences"
