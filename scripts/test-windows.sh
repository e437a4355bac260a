#!/usr/bin/env bash
# Runs the Windows build under Wine, in a fresh Wine prefix in a temporary folder, on Xvfb: the
# tests through CTest, the program from the zip (a file named at start, File > Save, Exit with a
# change, the preferences in the registry) and the installer (association, open through
# "start", uninstall). Builds first with scripts/build-windows.sh, whose first run builds Qt
# (about an hour). Leaves the window's picture in build/windows/wine-window.png.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=build/windows
if [ "${1:-}" != --on-xvfb ]; then
    scripts/build-windows.sh
    source scripts/ensure-packages.sh
    ensure_packages "${X_PACKAGES[@]}"
    exec xvfb-run -a -s '-screen 0 1280x1024x24' "$0" --on-xvfb
fi

# No Mono or Gecko to offer, and no menu entries of the Linux desktop for the Start menu.
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml,winemenubuilder.exe=' QT_FORCE_STDERR_LOGGING=1
WINEPREFIX=$(mktemp -d)
trap 'wineserver -k || true; rm -rf "$WINEPREFIX"' EXIT
wine wineboot --init >/dev/null 2>&1
# Wine finds the system's fonts; Liberation Sans stands in for Arial, whose metrics it has.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f >/dev/null
c=$WINEPREFIX/drive_c
fail() { echo "FAILED: $*" >&2; exit 1; }
step() { echo "--- $*"; }

step "tests (offscreen)"
export ZEL_WINDOWS_QT
ZEL_WINDOWS_QT=$(sed -n 's|^Qt6_DIR:PATH=\(.*\)/lib/cmake/Qt6$|\1|p' "$build_dir/CMakeCache.txt")
# Each test's log is a file beside it (Wine loses what goes to a pipe).
ctest --preset windows || { grep -h -A3 '^FAIL' "$build_dir"/tests/tst_*.txt; fail "tests"; }
grep -H '^Totals' "$build_dir"/tests/tst_*.txt

# Starts the program with the arguments in the background and waits for a window whose title
# matches; window is then its id. xdotool gives up on a window that goes while it looks, which
# Wine's do as they are mapped: it looks again.
find_window() {
    for _ in $(seq 60); do
        window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n1) || true
        [ -n "$window" ] && return
        sleep 1
    done
    fail "no window '$1'"
}
start() {
    local title=$1
    shift
    wine "$@" >/dev/null 2>&1 &
    pid=$!
    find_window "$title"
    sleep 2 # the first paint
    find_window "$title"
}
keys() {
    xdotool windowfocus --sync "$window"
    xdotool key --delay 300 "$@"
    sleep 1
}
ended() { timeout 30 tail --pid="$pid" -f /dev/null || fail "the program did not end"; }

step "the program from the zip, with nothing else installed"
rm -rf "$c/unzipped" && mkdir -p "$c/unzipped" "$c/zel"
unzip -q "$build_dir"/packages/*.zip -d "$c/unzipped"
program=$(ls "$c"/unzipped/*/zel-file-generator.exe)
cp tests/data/settingfiles/line1.zel "$c/zel/"
start 'ZEL File Generator   V[0-9.]*$' "$program"
compact=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: [0-9]*x//p')
keys alt+f x
ended
start ' - line1.zel$' "$program" 'C:\zel\line1.zel'
import -window "$window" "$build_dir/wine-window.png"
keys alt+f s
# What the Linux build writes for the same settings: the test's file, dated today.
sed "2s|.*|// $(date +%Y.%m.%d)\r|" tests/data/settingfiles/line1.zel >"$build_dir/expected.zel"
cmp "$build_dir/expected.zel" "$c/zel/line1.zel" || fail "the saved bytes differ"
echo "saved C:\\zel\\line1.zel: $(wc -c <"$c/zel/line1.zel") bytes, the same as the Linux build's"
# A save that Windows refuses shows the error box and leaves the file whole, with nothing beside.
save_fails() {
    local main=$window
    keys alt+f s
    find_window '^ZEL File Generator$'
    import -window root "$build_dir/wine-save-error-$1.png"
    keys Return
    window=$main
    cmp "$build_dir/expected.zel" "$c/zel/line1.zel" || fail "a failed save changed the file"
    [ "$(ls "$c/zel")" = line1.zel ] || fail "a failed save left $(ls "$c/zel")"
    echo "a save over a $1 file gave the error box; the file stayed whole"
}
# Another program holds the file open, sharing it for reading and writing but not for deletion
# (cmd's redirected input).
wine cmd /c 'ping -n 12 127.0.0.1 >nul <C:\zel\line1.zel' &
holder=$!
sleep 4
save_fails held-open
wait "$holder"
wine cmd /c attrib +r 'C:\zel\line1.zel'
save_fails read-only
wine cmd /c attrib -r 'C:\zel\line1.zel'
keys Right alt+f x
find_window '^ZEL File Generator$'
echo "Exit with a change asks"
keys n
ended

step "the preferences"
wine reg query 'HKCU\Software\ZELFileGenerator\Data' | tr -d '\r' | tee "$build_dir/registry.txt"
grep -q 'DefaultFolder *REG_SZ *C:\\zel$' "$build_dir/registry.txt" || fail "DefaultFolder"
grep -q 'BarcodeFlag *REG_SZ *1$' "$build_dir/registry.txt" || fail "BarcodeFlag"
# The next start is tall, and its Open dialog starts in the stored folder.
start 'ZEL File Generator   V[0-9.]*$' "$program"
tall=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: [0-9]*x//p')
[ "$tall" -gt "$compact" ] || fail "the stored flag was not taken ($tall, $compact)"
keys alt+f o
find_window '^Load ZEL File$'
xdotool type --delay 100 line1.zel
keys Return
find_window ' - line1.zel$'
echo "the next start takes them: ${compact} px high before, ${tall} px now; Open starts in C:\\zel"
keys alt+f x
ended

step "--check, from a script and from a console (cmd)"
cp tests/data/settingfiles/select-slash-alone.zel "$c/zel/refused.zel"
for how in "$program" "cmd /c $(winepath -w "$program")"; do
    if wine $how --check 'C:\zel\line1.zel' 'C:\zel\refused.zel' >"$build_dir/check.txt"; then
        fail "--check accepted a refused file"
    fi
    tr -d '\r' <"$build_dir/check.txt"
    grep -q '^C:\\zel\\line1.zel: ok: Select, Copy; RS-232C 9600 8N1' "$build_dir/check.txt" &&
        grep -q '^C:\\zel\\refused.zel:2: error: ' "$build_dir/check.txt" || fail "--check: $how"
done

step "the installer"
installer=$(ls "$PWD/$build_dir"/packages/*.exe)
# The registry's own files, without the keys' times: what names the program, before and after.
registry() { cat "$WINEPREFIX"/{system,user}.reg | grep -i zel | sed 's/\] [0-9]*$/]/' | sort; }
wineserver -w
before=$(registry)
# The program's files as installed, with their sizes and times.
installed_files() {
    (cd "$c/Program Files/ZEL File Generator" && find . -type f -printf '%p %s %T@\n' | sort)
}
wine "$installer" /S
wineserver -w
files=$(installed_files)
keys_installed=$(registry)
# Run again over it, the installer opens on its first page with no question before it; a
# Cancel there leaves the installed program exactly as it was.
start 'ZEL File Generator Setup$' "$installer"
# The wizard is far taller than a question's box, which would bear the same title.
wizard_height=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: [0-9]*x//p')
[ "$wizard_height" -gt 300 ] || fail "the installer asked something before its first page"
keys Escape
keys Return # Yes to "Are you sure you want to quit?"
ended
wineserver -w
[ "$(installed_files)" = "$files" ] && [ "$(registry)" = "$keys_installed" ] ||
    fail "a cancelled installer changed what was installed"
echo "run over the installed program, the installer asked nothing first; cancelled, it changed nothing"
# Again, to the end: an upgrade in place, with the files replaced and the association and the
# uninstaller's entry written again.
sleep 1 # later times on the files it writes
wine "$installer" /S
wineserver -w
[ "$(registry)" = "$keys_installed" ] || fail "an upgrade left other keys: $(diff <(echo "$keys_installed") <(registry))"
[ "$(installed_files | cut -d' ' -f1,2)" = "$(echo "$files" | cut -d' ' -f1,2)" ] ||
    fail "an upgrade left other files"
[ "$(installed_files)" != "$files" ] || fail "an upgrade replaced no file"
echo "run again to its end, the installer upgraded in place"
wine uninstaller --list | grep 'ZEL' | tr -d '\r'
[ "$(wine uninstaller --list | grep -c 'ZEL File Generator')" -eq 1 ] || fail "installed twice"
ls "$c/Program Files/ZEL File Generator" "$c/ProgramData/Microsoft/Windows/Start Menu/Programs/ZEL File Generator"
wine cmd /c assoc .zel | tr -d '\r'
wine cmd /c ftype ZELFileGenerator.SettingFile | tr -d '\r'
wine reg query 'HKLM\Software\Classes\ZELFileGenerator.SettingFile' /s | tr -d '\r'
cp "$c/zel/line1.zel" "$c/zel/double-clicked.zel"
start ' - double-clicked.zel$' start 'C:\zel\double-clicked.zel'
echo "'wine start C:\\zel\\double-clicked.zel' opened it in the program"
keys alt+f x
wineserver -w # the program has ended and its files are free
wine "$c/Program Files/ZEL File Generator/Uninstall.exe" /S
wineserver -w
[ ! -e "$c/Program Files/ZEL File Generator" ] || fail "files left: $(ls "$c/Program Files/ZEL File Generator")"
[ ! -e "$c/ProgramData/Microsoft/Windows/Start Menu/Programs/ZEL File Generator" ] || fail "menu left"
[ "$(registry)" = "$before" ] || fail "keys left: $(diff <(echo "$before") <(registry))"
wine reg query 'HKCU\Software\ZELFileGenerator\Data' >/dev/null || fail "preferences removed"
[ -f "$c/zel/double-clicked.zel" ] || fail "a setting file removed"
echo "uninstalled: no file, no key left; the preferences and the setting files stay"
echo "Windows tests passed"
