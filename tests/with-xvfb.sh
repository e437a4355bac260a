#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# Runs a command on a new Xvfb server of its own (1280x1024, 24 bits). The server picks a free
# display number itself (-displayfd), so runs side by side never end up on one display, as
# they can with xvfb-run -a. It does not reset when its last client leaves (-noreset): a client
# that connects during a reset is refused, and a test's short xdotool calls come and go.
# usage: with-xvfb.sh COMMAND [ARGUMENT...]
set -euo pipefail
folder=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$folder/display" 2>"$folder/log" &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$folder"' EXIT
for _ in $(seq 300); do
    grep -q . "$folder/display" && break
    kill -0 "$server" 2>/dev/null || { cat "$folder/log" >&2; exit 1; }
    sleep 0.1
done
DISPLAY=:$(head -n 1 "$folder/display")
export DISPLAY
"$@"
