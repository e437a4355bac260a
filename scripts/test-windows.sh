#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# Runs the Windows build under Wine, in a fresh Wine prefix in a temporary folder, on Xvfb: the
# tests through CTest, the program from the zip (a file named at start, File > Save, Exit with a
# change, the preferences in the registry, the command line from a script, from cmd, from a
# batch file, typed at cmd's prompt, on a console and with no console, saves held by a scanner)
# and the installer (over a running program, the PATH, an upgrade, association, open through
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

# Windows in English, whatever language the caller speaks: the steps find windows by title.
export LANG=C.UTF-8
unset LC_ALL LC_MESSAGES LANGUAGE
# No Mono or Gecko to offer, and no menu entries of the Linux desktop for the Start menu.
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml,winemenubuilder.exe=' QT_FORCE_STDERR_LOGGING=1
WINEPREFIX=$(mktemp -d)
trap 'wineserver -k || true; rm -rf "$WINEPREFIX"' EXIT
wine wineboot --init >/dev/null 2>&1
# Wine finds the system's fonts; Liberation Sans stands in for Arial, whose metrics it has.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f >/dev/null
# Qt for Windows takes Japanese glyphs from "MS UI Gothic", which IPAGothic stands in for.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d IPAGothic /f >/dev/null
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
twin=${program%.exe}.com
# The program with a window is a GUI-subsystem program; its twin for shells and scripts, the
# same program, a console-subsystem one.
subsystems() {
    local file
    for file in "$1"/zel-file-generator.{exe,com}; do
        echo "$(basename "$file"): $(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^Subsystem\s*//p')"
    done | tee "$build_dir/subsystems.txt"
    grep -q '^zel-file-generator.exe: 00000002.*(Windows GUI)$' "$build_dir/subsystems.txt" &&
        grep -q '^zel-file-generator.com: 00000003.*(Windows CUI)$' "$build_dir/subsystems.txt" ||
        fail "the subsystems in $1"
}
subsystems "$(dirname "$program")"
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
for how in "$program" "$twin" "cmd /c $(winepath -w "$program")"; do
    if wine $how --check 'C:\zel\line1.zel' 'C:\zel\refused.zel' >"$build_dir/check.txt"; then
        fail "--check accepted a refused file"
    fi
    tr -d '\r' <"$build_dir/check.txt"
    grep -q '^C:\\zel\\line1.zel: ok: Select, Copy; RS-232C 9600 8N1' "$build_dir/check.txt" &&
        grep -q '^C:\\zel\\refused.zel:2: error: ' "$build_dir/check.txt" || fail "--check: $how"
done

step "--check typed at cmd's prompt, as a person types it"
# cmd waits for the console twin, which PATHEXT finds before the .exe, and takes its status;
# the .exe named in full is a program with a window, which cmd does not wait for (what Wine's
# console then shows is printed, not checked).
tests/typed-console.py "set PATH=%PATH%;$(winepath -w "$(dirname "$program")")" 'cd /d C:\zel' \
    'zel-file-generator --check line1.zel refused.zel' 'echo %ERRORLEVEL%' \
    'zel-file-generator.exe --check line1.zel refused.zel' 'echo %ERRORLEVEL%' \
    >"$build_dir/typed-console.txt"
cat "$build_dir/typed-console.txt"
typed_block=$(printf '%s\n' 'C:\zel>zel-file-generator --check line1.zel refused.zel' \
    'line1.zel: ok: Select, Copy; RS-232C 9600 8N1; start 3, end 12, suffix 0D' \
    'refused.zel:2: error: "SELECT/" is not a mode this program knows.' '' \
    'C:\zel>echo %ERRORLEVEL%' 1)
[[ $(cat "$build_dir/typed-console.txt") == *"$typed_block"* ]] ||
    fail "typed at the prompt, zel-file-generator --check did not give its two lines and then 1"
echo "typed at cmd's prompt, zel-file-generator --check gave its two lines, then %ERRORLEVEL% 1"

step "the command line, from a script and from a console (cmd)"
# Setting files with names that sort apart by case, one that is a wildcard of its own in other
# tools, and one outside the ANSI code page, beside a file of another type, one without a dot,
# and a hidden and a system file, which dir does not list.
mkdir -p "$c/names"
for name in b.zel A.zel '[x].zel' 'Ωmega.zel' notes.txt noext hidden.zel system.zel; do
    cp tests/data/settingfiles/line1.zel "$c/names/$name"
done
wine cmd /c attrib +h 'C:\names\hidden.zel'
wine cmd /c attrib +s 'C:\names\system.zel'
good=': ok: Select, Copy; RS-232C 9600 8N1; start 3, end 12, suffix 0D'
# expect_lines STATUS ARGUMENT... < LINES: from a script and from cmd, the exit status and
# exactly these lines, on standard output and standard error together. A message box would hold
# the program until the timeout.
expect_lines() {
    local status=$1 how actual
    shift
    local want
    want=$(cat)
    for how in "$program" "$twin" "cmd /c $(winepath -w "$program")"; do
        timeout 60 wine $how "$@" >"$build_dir/command-line.txt" 2>&1 && actual=0 || actual=$?
        if [ "$actual" -ne "$status" ] || [ "$(tr -d '\r' <"$build_dir/command-line.txt")" != "$want" ]; then
            tr -d '\r' <"$build_dir/command-line.txt"
            fail "$how $*: exit status $actual, not $status with the lines above"
        fi
    done
    echo "$* gave $status and:"
    echo "$want"
}
expect_lines 2 --bogus <<<"zel-file-generator: Unknown option 'bogus'."
expect_lines 2 'C:\names\A.zel' 'C:\names\b.zel' \
    <<<"zel-file-generator: Too many arguments: only one file can be opened."
expect_lines 2 --check -platform windows <<<"zel-file-generator: No file to check."
expect_lines 0 -platform offscreen -style windowsvista --version <<<"zel-file-generator 1.02"
expect_lines 1 --check 'C:\names\*.zel' 'C:\names\?.ZEL' 'C:\names\none*.zel' <<EOF_LINES
C:\names\[x].zel$good
C:\names\A.zel$good
C:\names\b.zel$good
C:\names\Ωmega.zel$good
C:\names\A.zel$good
C:\names\b.zel$good
C:\names\none*.zel: error: No file matches this name.
EOF_LINES
# "*.*" takes a name without a dot too, as dir reads it, and leaves out what dir does not list.
expect_lines 0 --check 'C:\names\*.*' <<EOF_LINES
C:\names\[x].zel$good
C:\names\A.zel$good
C:\names\b.zel$good
C:\names\noext$good
C:\names\notes.txt$good
C:\names\Ωmega.zel$good
EOF_LINES
dir_names=$(wine cmd /u /c dir /b 'C:\names\*.*' | iconv -f UTF-16LE | tr -d '\r' | sort -f)
[ "$dir_names" = "$(tr -d '\r' <"$build_dir/command-line.txt" | sed 's/^C:.names.//; s/: ok: .*//' | sort -f)" ] ||
    fail "dir *.* lists $dir_names"
echo "dir /b C:\names\*.* lists the same files:" $dir_names
# A folder gets Windows' own words, those of ERROR_DIRECTORY_NOT_SUPPORTED ("An operation is not
# supported on a directory."), which Wine does not have: the program then gives its number.
expect_lines 1 --check 'C:\names' <<<"C:\names: error: System error 336"
for help in --help -h '-?' '/?'; do
    timeout 60 wine "$program" "$help" >"$build_dir/help.txt" 2>&1
    grep -q '^  --check  *Check each file named' "$build_dir/help.txt" || fail "$help printed no help"
done
echo "--help, -h, -? and /? print the help"
# A batch file, in which cmd leaves the wildcard to the program.
printf 'cd /d C:\\names\r\n"%s" --check *.zel\r\n' "$(winepath -w "$program")" >"$c/names/check.bat"
timeout 60 wine cmd /c 'C:\names\check.bat' >"$build_dir/command-line.txt" 2>&1 || true
grep -qxF "Ωmega.zel$good" <(tr -d '\r' <"$build_dir/command-line.txt") || fail "the batch file"
echo "a batch file's --check *.zel checks the folder's setting files"
# On a console (Wine's, on a terminal of script's as wide as the line) the lines are wide
# characters: a name outside the ANSI code page shows as it is.
script -qec "stty cols 200; wine '$program' --check 'C:\names\Ωmega.zel'" /dev/null \
    >"$build_dir/command-line.txt"
grep -qF "C:\\names\\Ωmega.zel$good" "$build_dir/command-line.txt" || fail "a console's line"
echo "on a console: $(tr -d '\r' <"$build_dir/command-line.txt" | sed 's/\x1b\[[?0-9;]*[a-zA-Z]//g')"
timeout 60 wine "$program" --check - <tests/data/settingfiles/line1.zel >"$build_dir/command-line.txt"
grep -qF "<stdin>$good" "$build_dir/command-line.txt" || fail "standard input"
# A start with no standard input handle, as Windows starts a program with a window from a
# console: a launcher that hands on standard output and error alone. (Wine gives a closed
# descriptor 0 a handle of its own, which is why <&- does not do.)
cat >"$build_dir/no-input.c" <<'EOF_C'
#include <windows.h>

/* Runs the command line that follows its own name with no standard input handle, handing on
   standard output and error, and ends with its exit status. */
int wmain(void)
{
    wchar_t *line = GetCommandLineW();
    wchar_t end = *line == L'"' ? *line++ : L' ';
    while (*line && *line++ != end) {
    }
    while (*line == L' ') {
        ++line;
    }
    STARTUPINFOW startup = {sizeof startup};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process;
    DWORD status = 255;
    if (CreateProcessW(NULL, line, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &status);
    }
    return (int)status;
}
EOF_C
x86_64-w64-mingw32-gcc -municode -o "$build_dir/no-input.exe" "$build_dir/no-input.c"
timeout 60 wine "$build_dir/no-input.exe" "$(winepath -w "$program")" --check - \
    >"$build_dir/command-line.txt" && fail "--check - without standard input accepted"
grep -qxF '<stdin>: error: Standard input is closed.' <(tr -d '\r' <"$build_dir/command-line.txt") ||
    fail "no standard input"
echo "standard input is read; without one, - says: $(tr -d '\r' <"$build_dir/command-line.txt")"
# A start with no console at all (here Wine's start, as from a shortcut) shows a message box.
wine start /unix "$program" --version
find_window '^ZEL File Generator$'
import -window root "$build_dir/wine-version-box.png"
keys Return
wineserver -w
echo "with no console at all, --version shows a message box: $build_dir/wine-version-box.png"

step "saves"
# What a save keeps and refuses on Windows, with the program from the zip.
expected_as() { sed "1s|.*|// $1\r|; 2s|.*|// $(date +%Y.%m.%d)\r|" tests/data/settingfiles/line1.zel; }
saved() { cmp <(expected_as "$1") "$2" || fail "$2 does not hold the saved bytes"; }
# save_and_exit PATH COMMAND...: the program that COMMAND starts opens the file at the Windows
# PATH, saves it with File > Save, and ends.
save_and_exit() {
    local path=$1
    shift
    "$@" "$path" >/dev/null 2>&1 &
    pid=$!
    find_window " - ${path##*\\}\$"
    sleep 2 # the first paint
    keys alt+f s alt+f x
    ended
}
# Replacing a file keeps its hidden and system attributes (Wine's attrib sets only the last of
# two in one call; its ReplaceFileW alone keeps neither).
cp tests/data/settingfiles/line1.zel "$c/zel/hidden.zel"
wine cmd /c attrib +h 'C:\zel\hidden.zel'
wine cmd /c attrib +s 'C:\zel\hidden.zel'
save_and_exit 'C:\zel\hidden.zel' wine "$program"
saved hidden.zel "$c/zel/hidden.zel"
attributes=$(wine cmd /c attrib 'C:\zel\hidden.zel' | tr -d '\r')
echo "attrib after the save: $attributes"
[[ ${attributes%%C:*} == *S*H* ]] || fail "the hidden and system attributes were lost"
# A scanner that opens every new file in the folder the moment it appears and holds it for a
# while without sharing it for deletion, as virus scanners and indexers do: the save waits for
# it, and leaves nothing beside the file.
cat >"$build_dir/scanner.c" <<'EOF_C'
#include <windows.h>
#include <stdio.h>

/* Holds every file that appears in the folder it is given, for 300 ms each, and says which,
   until a file named "stop" appears. */
int wmain(int argc, wchar_t **argv)
{
    HANDLE folder = CreateFileW(argv[1], FILE_LIST_DIRECTORY,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
    static DWORD changes[16384];
    DWORD size;
    while (argc == 2 && ReadDirectoryChangesW(folder, changes, sizeof changes, FALSE,
                                              FILE_NOTIFY_CHANGE_FILE_NAME, &size, NULL, NULL)) {
        FILE_NOTIFY_INFORMATION *change = (FILE_NOTIFY_INFORMATION *)changes;
        for (DWORD next = size ? 1 : 0; next; change = (void *)((char *)change + next)) {
            next = change->NextEntryOffset;
            wchar_t name[MAX_PATH];
            swprintf(name, MAX_PATH, L"%ls\\%.*ls", argv[1],
                     (int)(change->FileNameLength / sizeof(wchar_t)), change->FileName);
            if (change->FileNameLength == 8 && !wcsncmp(change->FileName, L"stop", 4)) {
                return 0;
            }
            HANDLE held = change->Action == FILE_ACTION_ADDED ||
                                  change->Action == FILE_ACTION_RENAMED_NEW_NAME
                              ? CreateFileW(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                            NULL, OPEN_EXISTING, 0, NULL)
                              : INVALID_HANDLE_VALUE;
            if (held != INVALID_HANDLE_VALUE) {
                printf("held %ls\n", name);
                fflush(stdout);
                Sleep(300);
                CloseHandle(held);
            }
        }
    }
    return 1;
}
EOF_C
x86_64-w64-mingw32-gcc -municode -o "$build_dir/scanner.exe" "$build_dir/scanner.c"
mkdir -p "$c/scanned"
cp tests/data/settingfiles/line1.zel "$c/scanned/line1.zel"
wine "$build_dir/scanner.exe" 'C:\scanned' >"$build_dir/scanner.txt" &
scanner=$!
sleep 3
save_and_exit 'C:\scanned\line1.zel' wine "$program"
touch "$c/scanned/stop"
wait "$scanner" || fail "the scanner"
rm "$c/scanned/stop"
tr -d '\r' <"$build_dir/scanner.txt"
saved line1.zel "$c/scanned/line1.zel"
[ "$(ls "$c/scanned")" = line1.zel ] || fail "a scanned save left $(ls "$c/scanned")"
echo "with a scanner holding each new file for 300 ms, the save was done and left nothing beside"
# A folder that refuses new files, with a writable file in it: the file is written in place.
# Unix permissions, which are what Wine has, do not bind root: an ordinary user (nobody) runs
# the program there, with a prefix of its own.
user_home=$(mktemp -d)
chown nobody "$user_home"
install -o nobody -m 600 "$XAUTHORITY" "$user_home/.Xauthority"
as_user() {
    runuser -u nobody -- env HOME="$user_home" WINEPREFIX="$user_home/wine" \
        XAUTHORITY="$user_home/.Xauthority" "$@"
}
as_user wine wineboot --init >/dev/null 2>&1
u=$user_home/wine/drive_c
cp -r "$(dirname "$program")" "$u/program"
mkdir "$u/locked"
cp tests/data/settingfiles/line1.zel "$u/locked/inplace.zel"
chmod 666 "$u/locked/inplace.zel"
chmod 555 "$u/locked"
inode=$(stat -c %i "$u/locked/inplace.zel")
save_and_exit 'C:\locked\inplace.zel' as_user wine 'C:\program\zel-file-generator.exe'
saved inplace.zel "$u/locked/inplace.zel"
[ "$(stat -c %i "$u/locked/inplace.zel")" = "$inode" ] || fail "not written in place"
[ "$(ls "$u/locked")" = inplace.zel ] || fail "left $(ls "$u/locked")"
as_user wineserver -k || true
rm -rf "$user_home"
echo "nobody saved in a folder that refuses new files (555 root): in place, inode $inode"
# A name typed without an extension is saved as typed, through MoveFileExW with
# MOVEFILE_WRITE_THROUGH (8); names kept for devices are refused before the program looks at
# them or opens them (Wine's trace of the file calls shows neither; the file dialog only asks
# for their attributes as they are typed).
save_as() {
    keys alt+f a
    find_window '^Save ZEL File$'
    xdotool type --delay 50 "$1"
    keys Return
}
WINEDEBUG=trace+file wine "$program" 'C:\zel\line1.zel' >/dev/null 2>"$build_dir/wine-file-trace.txt" &
pid=$!
find_window ' - line1.zel$'
sleep 2
save_as 'C:\zel\noext'
find_window ' - noext$'
[ -f "$c/zel/noext" ] && [ ! -e "$c/zel/noext.zel" ] || fail "noext: $(ls "$c/zel")"
saved noext "$c/zel/noext"
echo "Save As C:\\zel\\noext wrote C:\\zel\\noext, no .zel added"
main=$window
for name in COM1.zel NUL; do
    save_as "C:\\zel\\$name"
    find_window '^ZEL File Generator$'
    import -window root "$build_dir/wine-save-as-$name.png"
    keys Return
    window=$main
done
keys alt+f x
ended
trace=$build_dir/wine-file-trace.txt
grep -E 'MoveFileWithProgressW .*noext",.*,0008\)$' "$trace" || fail "not moved write-through"
! grep -E ':(CreateFileW|GetFileAttributesW|MoveFileWithProgressW|ReplaceFileW) .*(COM1|NUL)' \
    "$trace" || fail "a device was opened"
echo "COM1.zel and NUL gave the error box and were never opened"
wine "$program" --check 'C:\zel\COM1.zel' 'C:\zel\NUL' | tr -d '\r' | tee "$build_dir/check.txt" || true
[ "$(grep -c ': error: ' "$build_dir/check.txt")" = 2 ] || fail "--check read a device"

step "the installer"
installer=$(ls "$PWD/$build_dir"/packages/*.exe)
installed="$c/Program Files/ZEL File Generator"
# The registry's own files, without the keys' times: what names the program, before and after.
registry() { cat "$WINEPREFIX"/{system,user}.reg | { grep -i zel || true; } | sed 's/\] [0-9]*$/]/' | sort; }
user_path() { wine reg query 'HKCU\Environment' /v Path | tr -d '\r' | sed -n 's/.*REG_EXPAND_SZ *//p'; }
wineserver -w
# A PATH of the user's own, which the offer to add the program's folder keeps.
wine reg add 'HKCU\Environment' /v Path /t REG_EXPAND_SZ /d 'C:\tools' /f >/dev/null
before=$(registry)
# The program's files as installed, by name and content.
installed_files() { (cd "$installed" && find . -type f -exec sha256sum {} + | sort -k2); }
wine "$installer" /S
wineserver -w
files=$(installed_files)
keys_installed=$(registry)
# The zip's files, and the uninstaller.
[ "$(cd "$installed" && find . -type f | grep -vx ./Uninstall.exe | sort)" = \
    "$(cd "$(dirname "$program")" && find . -type f | sort)" ] || fail "the installed files are not the zip's"
subsystems "$installed"
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

# unchanged WHAT: the installed files and the keys are as they were.
unchanged() {
    [ "$(installed_files)" = "$files" ] && [ "$(registry)" = "$keys_installed" ] ||
        fail "$1 changed what was installed"
}
# The window of a question titled as the installer or the uninstaller is, which is not as tall
# as their wizards; its id in box.
question_box() {
    local id
    for id in $(xdotool search --onlyvisible --name '^ZEL File Generator (Setup|Uninstall)$'); do
        if [ "$(xdotool getwindowgeometry "$id" | sed -n 's/.*Geometry: [0-9]*x//p')" -lt 300 ]; then
            box=$id
            return
        fi
    done
    return 1
}
# Goes through the wizard that window is, with Enter, until it asks about the running program.
on_to_the_question() {
    for _ in $(seq 15); do
        question_box && return
        keys Return
        sleep 1
    done
    fail "no question about the running program"
}
start 'ZEL File Generator   V[0-9.]*$' "$installed/zel-file-generator.exe"
running_pid=$pid
status=0
wine "$installer" /S || status=$?
[ "$status" -ne 0 ] || fail "silently over a running program, the installer ended with status 0"
unchanged "a silent installer over a running program"
echo "over a running program, the installer run silently (/S) ended with status $status and changed nothing"
# In place (_?=, which takes the folder unquoted), so that the status is the uninstaller's own
# and not that of the copy it otherwise starts from the temporary folder; from a batch file,
# which hands the line on as it is.
printf '@"%s" /S _?=%s\r\n@exit /b %%errorlevel%%\r\n' 'C:\Program Files\ZEL File Generator\Uninstall.exe' \
    'C:\Program Files\ZEL File Generator' >"$c/uninstall.bat"
status=0
wine cmd /c 'C:\uninstall.bat' || status=$?
[ "$status" -ne 0 ] || fail "silently with the program running, the uninstaller ended with status 0"
unchanged "a silent uninstaller beside a running program"
echo "with the program running, the uninstaller run silently ended with status $status and changed nothing"
# By hand: the question, and Cancel, which changes nothing.
start 'ZEL File Generator Setup$' "$installer"
on_to_the_question
import -window root "$build_dir/wine-installer-running.png"
window=$box
keys Escape
status=0
wait "$pid" || status=$?
[ "$status" -ne 0 ] || fail "Cancel at the question ended the installer with status 0"
unchanged "the installer cancelled at the question"
echo "by hand, the installer asked to close the program (build/windows/wine-installer-running.png);" \
    "Cancel ended it with status $status, having changed nothing"
# Retry while it still runs asks again; once it is closed, Retry installs, and the finish page
# offers the PATH (Alt+A ticks it).
start 'ZEL File Generator Setup$' "$installer"
installer_pid=$pid
wizard=$window
on_to_the_question
window=$box
keys Return
sleep 2
question_box || fail "Retry with the program still running did not ask again"
# Closed as its close box closes it (the question's box keeps the keyboard).
pid=$running_pid
wine taskkill /im zel-file-generator.exe >/dev/null
ended
window=$box
retried=$(date +%s)
keys Return
# The finish page comes once the uninstaller, the install's last file, is written again: later
# on a busy machine.
for _ in $(seq 120); do
    [ "$(stat -c %Z "$installed/Uninstall.exe" 2>/dev/null || echo 0)" -lt "$retried" ] || break
    sleep 1
done
sleep 3
window=$wizard
keys alt+a
import -window root "$build_dir/wine-installer-finish.png"
keys Return
status=0
timeout 60 tail --pid="$installer_pid" -f /dev/null || fail "the installer did not end at its finish page"
wait "$installer_pid" || status=$?
wineserver -w
[ "$status" -eq 0 ] || fail "the installer, retried once the program was closed, ended with $status"
[ "$(installed_files)" = "$files" ] || fail "the installer, retried, did not install its files"
[ "$(user_path)" = 'C:\tools;C:\Program Files\ZEL File Generator' ] || fail "PATH: $(user_path)"
echo "Retry asked again while the program ran; closed, Retry installed; the user's PATH is now $(user_path)"
status=0
(cd "$c/zel" && wine cmd /c zel-file-generator --check line1.zel refused.zel) \
    >"$build_dir/command-line.txt" || status=$?
tr -d '\r' <"$build_dir/command-line.txt"
[ "$status" -eq 1 ] && grep -q '^line1.zel: ok: ' "$build_dir/command-line.txt" ||
    fail "zel-file-generator from the user's PATH: status $status"
echo "zel-file-generator --check, found on the user's PATH, gave the lines and status $status"
files=$(installed_files)
keys_installed=$(registry)

# Over an older install, every file is replaced: each installed file is made to hold something
# else first, and the installer, run silently, gives each the content of the new build again.
find "$installed" -type f -exec sh -c 'printf "an older build\n" >"$1"' _ {} \;
wine "$installer" /S
wineserver -w
[ "$(installed_files)" = "$files" ] || fail "an upgrade left files unreplaced or others: $(diff <(echo "$files") <(installed_files))"
[ "$(registry)" = "$keys_installed" ] ||
    fail "an upgrade left other keys: $(diff <(echo "$keys_installed") <(registry))"
echo "over an older install, the installer replaced the content of every file"
wine uninstaller --list | grep 'ZEL' | tr -d '\r'
[ "$(wine uninstaller --list | grep -c 'ZEL File Generator')" -eq 1 ] || fail "installed twice"
ls "$installed" "$c/ProgramData/Microsoft/Windows/Start Menu/Programs/ZEL File Generator"
wine cmd /c assoc .zel | tr -d '\r'
wine cmd /c ftype ZELFileGenerator.SettingFile | tr -d '\r'
wine reg query 'HKLM\Software\Classes\ZELFileGenerator.SettingFile' /s | tr -d '\r'
cp "$c/zel/line1.zel" "$c/zel/double-clicked.zel"
start ' - double-clicked.zel$' start 'C:\zel\double-clicked.zel'
echo "'wine start C:\\zel\\double-clicked.zel' opened it in the program"
keys alt+f x
wineserver -w # the program has ended and its files are free
wine "$installed/Uninstall.exe" /S
wineserver -w
[ ! -e "$installed" ] || fail "files left: $(ls "$installed")"
[ ! -e "$c/ProgramData/Microsoft/Windows/Start Menu/Programs/ZEL File Generator" ] || fail "menu left"
[ "$(registry)" = "$before" ] || fail "keys left: $(diff <(echo "$before") <(registry))"
[ "$(user_path)" = 'C:\tools' ] || fail "the uninstaller left the PATH $(user_path)"
wine reg query 'HKCU\Software\ZELFileGenerator\Data' >/dev/null || fail "preferences removed"
[ -f "$c/zel/double-clicked.zel" ] || fail "a setting file removed"
echo "uninstalled: no file, no key left, the PATH as it was; the preferences and the setting files stay"
echo "Windows tests passed"
