#!/usr/bin/env bash
# The program's arguments as a shell gives them: --help, --version and --check with no display,
# and the usage errors that end the program with exit code 2 before any window is made (a window
# would keep it running into the timeout). --check runs once over every file of the table of
# setting files, whose results give the line each file must get.
# usage: command-line.sh PROGRAM VERSION DATA
set -uo pipefail
program=$(realpath "$1")
version=$2
data=$3
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/home"

# A home of its own shows that checking leaves the stored preferences alone.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_CONFIG_HOME
    HOME="$work/home")
with_window=(env QT_QPA_PLATFORM=offscreen)
full_output=(sh -c '"$@" >/dev/full' sh "${no_display[@]}")

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# expect RUN STATUS TEXT ARGUMENT...: the exit status, and a line the output must hold.
expect() {
    local -n run=$1
    local status=$2 text=$3 output actual
    shift 3
    output=$(timeout 20 "${run[@]}" "$program" "$@" 2>&1)
    actual=$?
    if [ "$actual" -ne "$status" ] || ! grep -qxF "$text" <<<"$output"; then
        fail "$* gave exit status $actual and:"
        echo "$output"
    fi
}

cd "$data/settingfiles" || exit 1
# The title's form of the version: the minor as two digits.
expect no_display 0 "zel-file-generator $(printf '%d.%02d' "${version%%.*}" "${version#*.}")" \
    --version
expect no_display 0 "Usage: $program [options] [file...]" --help
expect with_window 2 "zel-file-generator: Unknown option 'no-such-option'." --no-such-option
expect with_window 2 "zel-file-generator: Too many arguments: only one file can be opened." \
    one.zel two.zel
expect no_display 2 "zel-file-generator: No file to check." --check
expect no_display 2 "zel-file-generator: Unknown option 'no-such-option'." \
    --check line1.zel --no-such-option
expect no_display 0 "<stdin>: ok: Select, Copy; RS-232C 9600 8N1; start 3, end 12, suffix 0D" \
    --check - < <(cat line1.zel)
expect no_display 1 "<stdin>:2: error: \"SELECT/\" is not a mode this program knows." \
    --check - <select-slash-alone.zel
expect full_output 1 "zel-file-generator: The lines could not be written: No space left on device" \
    --check line1.zel

# The line of a file whose result in the table is $2. A load error's reason is the system's, in
# its language, so only its beginning is given, followed by '<any>'.
line_of() {
    local name=$1 result=$2 summary pickup=""
    local settings='^mode=(.*) dev=(.*) rs=(.*) start="(.*)" end="(.*)" suffix="(.*)" flag=.$'
    if [[ $result =~ $settings ]]; then
        local found=("${BASH_REMATCH[@]}")
        summary=${found[1]}
        [ "${found[2]}" = - ] || summary+=", ${found[2]}"
        if [ "${found[3]}" != - ]; then
            IFS=/ read -r baud bits stop parity <<<"${found[3]}"
            summary+="; RS-232C $baud $bits${parity:0:1}$stop"
        fi
        if [ "${found[1]}" != "Original Format" ]; then
            [ -z "${found[4]}" ] || pickup+=", start ${found[4]}"
            [ -z "${found[5]}" ] || pickup+=", end ${found[5]}"
            [ -z "${found[6]}" ] || pickup+=", suffix ${found[6]}"
        fi
        [ -z "$pickup" ] || summary+="; ${pickup:2}"
        echo "$name: ok: $summary"
    elif [[ $result =~ ^"ZEL File Format Error: "(Line ([0-9]+): )?(.*)$ ]]; then
        echo "$name${BASH_REMATCH[2]:+:${BASH_REMATCH[2]}}: error: ${BASH_REMATCH[3]}"
    else
        echo "$name: error: <any>"
    fi
}

names=()
expected=()
while IFS='|' read -r name _ result; do
    names+=("${name% }")
    expected+=("$(line_of "${name% }" "${result# }")")
done < <(grep -v -e '^#' -e '^$' ../settingfiles.txt)
timeout 20 "${no_display[@]}" "$program" --check "${names[@]}" >"$work/lines"
status=$?
mapfile -t lines <"$work/lines"
[ "$status" -eq 1 ] || fail "--check over the table gave exit status $status"
[ "${#lines[@]}" -eq "${#names[@]}" ] || fail "--check gave ${#lines[@]} lines for ${#names[@]} files"
for index in "${!expected[@]}"; do
    want=${expected[index]}
    line=${lines[index]-}
    if [[ $want == *'<any>' ]] && [[ $line == "${want%<any>}"* ]]; then
        continue
    fi
    [ "$line" = "$want" ] || fail "--check gave \"$line\", not \"$want\""
done
[ -z "$(ls -A "$work/home")" ] || fail "checking left files in its home: $(ls -A "$work/home")"

[ "$failures" -eq 0 ] || exit 1
echo "arguments and ${#names[@]} checked files as expected"
