#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# Takes the pictures of the program in each language at 100 % and 200 % under Xvfb, into
# docs/screenshot-LANGUAGE-WHAT-SCALE.png: the window, the "Save this data?" question after an
# edit, and the box of a file that cannot be loaded. The program is the one ./run.sh builds,
# or the one named.
# Usage: scripts/screenshots.sh [PROGRAM]
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/release/zel-file-generator}")
if [ -z "${ZEL_SCREENSHOTS_IN_XVFB:-}" ]; then
    ZEL_SCREENSHOTS_IN_XVFB=1 exec xvfb-run -a -s '-screen 0 2560x1600x24 -noreset' "$0" "$program"
fi
# A home of its own, under a name that the load error's picture may show.
home=/tmp/zel-file-generator-screenshots
rm -rf "$home"
trap 'rm -rf "$home"' EXIT
# With the barcode reader interface shown, so that every control is in the picture.
mkdir -p "$home/.config/ZELFileGenerator"
printf '[Data]\nBarcodeFlag=1\n' >"$home/.config/ZELFileGenerator/ZELFileGenerator.conf"

# start LANGUAGE SCALE [FILE]: starts the program (pid) and waits for its window (window).
start() {
    env -u LC_ALL -u LC_MESSAGES -u LANGUAGE HOME="$home" LANG="$1.UTF-8" QT_SCALE_FACTOR="$2" \
        "$program" ${3:+"$3"} &
    pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" | head -n1)
    sleep 2 # let the first paint finish, and a box that comes at start show
}
# The screen, cut to what the program shows on it.
picture() {
    import -window root "$home/screen.png"
    convert "$home/screen.png" -trim +repage "docs/screenshot-$1.png"
    echo "docs/screenshot-$1.png"
}
stop() {
    kill "$pid"
    wait "$pid" || true
}

for language in ja_JP de_DE; do
    for scale in 1 2; do
        name=${language%_*}-%s-$((scale * 100))
        start "$language" "$scale"
        picture "$(printf "$name" window)"
        # Another baud rate, then a close: the question.
        xdotool windowfocus --sync "$window" key Right key ctrl+q
        sleep 2
        picture "$(printf "$name" question)"
        stop
        start "$language" "$scale" "$home/missing.zel"
        picture "$(printf "$name" load-error)"
        stop
    done
done
