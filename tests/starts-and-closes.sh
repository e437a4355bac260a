#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# The real program under Xvfb, without a window manager: it maps its window centred with its
# title and icon; Ctrl+O shows the open dialog; Ctrl+S, untitled, writes the file its dialog
# names; after a change, Ctrl+Q asks, Cancel keeps it open and No lets it exit with 0, leaving
# both preferences in the user's store; a file named at start by a name that is no UTF-8 opens,
# with standard error closed.
# The commands go by their shortcuts, one key event each: a menu's access key could reach the
# window before the menu is up on a busy machine. A store that cannot be written keeps no start
# from closing: the program says so and exits with 0. A FIFO in the store's place holds up no
# start, nor one that becomes a FIFO meanwhile any close: the program says so and leaves it alone.
# Where the desktop asks for German, the window speaks it.
# usage: starts-and-closes.sh PROGRAM   (on a 1280x1024 screen)
set -euo pipefail
home=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT
export HOME=$home QT_QPA_PLATFORM=xcb
unset XDG_CONFIG_HOME

# mapped TITLE: the program's window with that title, once it is mapped (within 30 s). A search fails
# outright when a window it looks at goes away meanwhile, so it is tried again.
mapped() {
    local id
    for _ in $(seq 300); do
        id=$(xdotool search --all --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null | head -n 1) &&
            [ -n "$id" ] && echo "$id" && return
        sleep 0.1
    done
    echo "no window titled '$1'" >&2
    return 1
}

# closed ID: waits until that window is no longer shown (within 30 s): a key sent while a closing
# dialog is still up would reach a window that the dialog blocks.
closed() {
    for _ in $(seq 300); do
        [[ $(xwininfo -id "$1" 2>/dev/null) == *IsViewable* ]] || return 0
        sleep 0.1
    done
    echo "window $1 stayed" >&2
    return 1
}

cd "$home"
"$1" & pid=$!
window=$(mapped 'VX613 ZEL File Generator   V1\.02')
eval "$(xdotool getwindowgeometry --shell "$window")"
if [ $(((X * 2 + WIDTH - 1280) ** 2 + (Y * 2 + HEIGHT - 1024) ** 2)) -gt 8 ]; then
    echo "the window is not centred: ${WIDTH}x$HEIGHT at $X,$Y"
    exit 1
fi
# Qt may set the icon just after the window maps. (No "| grep -q" here: under pipefail, xprop
# cut short by grep's early exit would fail the check.)
has_icon() { [[ $(xprop -id "$window" _NET_WM_ICON) == *'Icon (32 x 32)'* ]]; }
for _ in $(seq 100); do has_icon && break; sleep 0.1; done
has_icon || { echo "no window icon"; exit 1; }
xdotool windowfocus --sync "$window" key ctrl+o
dialog=$(mapped 'Load ZEL File')
xdotool windowfocus --sync "$dialog" key Escape
closed "$dialog"
# A name that starts like no file in the folder, so that no completion pops up.
xdotool windowfocus --sync "$window" key ctrl+s
xdotool windowfocus --sync "$(mapped 'Save ZEL File')" type saved.zel
xdotool key Return
mapped 'VX613 ZEL File Generator   V1\.02 - saved\.zel' >/dev/null
grep -q $'^SCRIPT\r$' saved.zel
xdotool windowfocus --sync "$window" key 5 ctrl+q
question=$(mapped 'ZEL File Generator')
xdotool windowfocus --sync "$question" key Escape
closed "$question"
xdotool windowfocus --sync "$window" key ctrl+q
xdotool windowfocus --sync "$(mapped 'ZEL File Generator')" key n
timeout 10 tail --pid="$pid" -f /dev/null || { echo "the program did not exit after No"; exit 1; }
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "the program exited with $status"; exit 1; }
printf '[Data]\nBarcodeFlag=0\nDefaultFolder=%s\n' "$home" | diff - .config/ZELFileGenerator/ZELFileGenerator.conf

# A file named at start by a name that is no UTF-8 opens, and the title shows that byte escaped.
# Standard error is closed and Qt has a warning to give (no XDG_RUNTIME_DIR): the warning goes
# nowhere, never into what would otherwise take number 2, the display's connection.
cp saved.zel $'saved\xff.zel'
env -u XDG_RUNTIME_DIR "$1" $'saved\xff.zel' 2>&- & pid=$!
xdotool windowfocus --sync "$(mapped 'VX613 ZEL File Generator   V1\.02 - saved\\xFF\.zel')" key ctrl+q
timeout 10 tail --pid="$pid" -f /dev/null || { echo "the program did not exit on Ctrl+Q"; exit 1; }

# A folder under a file, which not even root can make.
XDG_CONFIG_HOME=$home/saved.zel/config "$1" 2>"$home/errors" & pid=$!
window=$(mapped 'VX613 ZEL File Generator   V1\.02')
xdotool windowfocus --sync "$window" key ctrl+q
timeout 10 tail --pid="$pid" -f /dev/null || { echo "the program did not exit"; exit 1; }
wait "$pid" || { echo "the program exited with $? where its store cannot be written"; exit 1; }
grep -qxF "zel-file-generator: The preferences could not be kept in $home/saved.zel/config/\
ZELFileGenerator/ZELFileGenerator.conf: it cannot be written." "$home/errors" || { echo "a store that cannot be written was not told:"; cat "$home/errors"; exit 1; }
# A FIFO where the preferences are kept, which a read would wait on for ever: there at the start
# (before), or made by another program while the program runs (meanwhile). Either is told once
# and left alone, and Ctrl+Q ends the program with 0.
fifo=$home/fifo-config/ZELFileGenerator/ZELFileGenerator.conf
mkdir -p "${fifo%/*}"
for when in before meanwhile; do
    rm -f "$fifo"
    [ "$when" = meanwhile ] || mkfifo "$fifo"
    XDG_CONFIG_HOME=$home/fifo-config "$1" 2>"$home/errors" & pid=$!
    window=$(mapped 'VX613 ZEL File Generator   V1\.02')
    [ "$when" = before ] || mkfifo "$fifo"
    xdotool windowfocus --sync "$window" key ctrl+q
    timeout 10 tail --pid="$pid" -f /dev/null || { echo "the program did not exit"; exit 1; }
    wait "$pid" || { echo "the program exited with $? where its store is a FIFO ($when)"; exit 1; }
    told=$(grep -cxF "zel-file-generator: The preferences cannot be kept in $fifo: it is not a \
regular file." "$home/errors" || true)
    [ "$told" -eq 1 ] && [ -p "$fifo" ] || { echo "a FIFO as the store ($when) was not told once:"; cat "$home/errors"; exit 1; }
done
# Where the desktop speaks German, so does the window, from its title on.
LANG=de_DE.UTF-8 "$1" & pid=$!
xdotool windowfocus --sync "$(mapped 'VX613 ZEL-Dateigenerator   V1\.02')" key ctrl+q
timeout 10 tail --pid="$pid" -f /dev/null || { echo "the program did not exit in German"; exit 1; }
echo "started centred, saved, asked on Ctrl+Q, stayed on Cancel, closed on No, stored both" \
    "preferences; opened a file whose name is no UTF-8; where the store cannot be written, is a" \
    "FIFO or becomes one, said so; spoke German where asked"
