#!/usr/bin/env bash
# The program's arguments as a shell gives them: --version, and the errors that end the program
# with exit code 1 before any window is made (a window would keep it running into the timeout).
# usage: command-line.sh PROGRAM VERSION
set -uo pipefail
program=$1
version=$2
export QT_QPA_PLATFORM=offscreen
failures=0

# expect STATUS TEXT ARGUMENT...: the exit status, and a line the output must hold.
expect() {
    local status=$1 text=$2 output actual
    shift 2
    output=$(timeout 20 "$program" "$@" 2>&1)
    actual=$?
    if [ "$actual" -ne "$status" ] || ! grep -qxF "$text" <<<"$output"; then
        echo "FAIL: $* gave exit status $actual and:"
        echo "$output"
        failures=$((failures + 1))
    fi
}

expect 0 "zel-file-generator $version" --version
expect 1 "zel-file-generator: Unknown option 'no-such-option'." --no-such-option
expect 1 "zel-file-generator: Too many arguments: only one file can be opened." one.zel two.zel

[ "$failures" -eq 0 ] || exit 1
echo "arguments checked"
