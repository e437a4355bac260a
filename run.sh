#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# Builds the program (the release preset) and starts it. Without a display it starts it under
# Xvfb, saves a screenshot of the window to build/release/screenshot.png, closes it and says
# where the picture is. QT_SCALE_FACTOR=2 shows it at 200%.
set -euo pipefail
cd "$(dirname "$0")"
program=build/release/zel-file-generator
screenshot=build/release/screenshot.png

# Runs under xvfb-run: starts the program, waits for its window, takes the picture, ends it.
take_screenshot() {
    "$program" &
    local pid=$!
    local window
    window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" | head -n1)
    sleep 1 # let the first paint finish
    import -window "$window" "$screenshot"
    kill "$pid"
    wait "$pid" || true
    echo "Screenshot: $screenshot"
}

if [ "${1:-}" = --screenshot ]; then
    take_screenshot
    exit
fi

source scripts/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${X_PACKAGES[@]}"
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)" --target zel-file-generator

if [ -n "${DISPLAY:-}" ]; then
    exec "$program"
fi
# Large enough for the window at 200%.
xvfb-run -a -s '-screen 0 2560x1600x24 -noreset' "$0" --screenshot
