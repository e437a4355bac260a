#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# The program's arguments as a shell gives them, all with no display: --help, --help-all,
# --version and --check, also with Qt's own options; the usage errors that end the program with
# exit code 2 before any window is made, with a display and without (a window would keep it
# running into the timeout); file names that are no UTF-8 or hold control characters, each shown
# on one line of its own; closed and non-blocking standard streams. --check runs once over every
# file of the table of setting files, whose results give the line each file must get.
# usage: command-line.sh PROGRAM VERSION DATA
set -uo pipefail
# English, whatever the caller speaks; the rows of languages.txt ask for the others.
export LANG=C.UTF-8
unset LC_ALL LC_MESSAGES LANGUAGE
program=$(realpath "$1")
version=$2
data=$(realpath "$3")
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/home"

# A home of its own shows that checking leaves the stored preferences alone.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_CONFIG_HOME
    HOME="$work/home")
with_window=(env QT_QPA_PLATFORM=offscreen)
full_output=(sh -c '"$@" >/dev/full' sh "${no_display[@]}")
closed_input=(sh -c '"$@" <&-' sh "${no_display[@]}")
closed_output=(sh -c '"$@" >&-' sh "${no_display[@]}")
# Standard input a pipe that does not block, on which the file arrives a second late.
nonblocking_input=(perl -e '
    use Fcntl;
    $SIG{PIPE} = "IGNORE";
    my ($file, @command) = @ARGV;
    pipe(my $reader, my $writer) or die "pipe: $!";
    fcntl($reader, F_SETFL, fcntl($reader, F_GETFL, 0) | O_NONBLOCK) or die "fcntl: $!";
    my $pid = fork // die "fork: $!";
    if ($pid == 0) {
        open(STDIN, "<&", $reader) or die "stdin: $!";
        exec @command or die "exec: $!";
    }
    sleep 1;
    open(my $in, "<:raw", $file) or die "$file: $!";
    print $writer do { local $/; <$in> };
    close $writer;
    waitpid($pid, 0);
    exit($? >> 8);' "$data/settingfiles/line1.zel" "${no_display[@]}")

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
version_line="zel-file-generator $(printf '%d.%02d' "${version%%.*}" "${version#*.}")"
expect no_display 0 "$version_line" --version
expect no_display 0 "Usage: $program [options] [file...]" --help
good="line1.zel: ok: Select, Copy; RS-232C 9600 8N1; start 3, end 12, suffix 0D"
# Qt's own options, with one dash or two, are taken and change nothing here.
expect no_display 0 "$good" -platform offscreen --check line1.zel
expect no_display 0 "$good" --check -style=fusion line1.zel -reverse --qwindowtitle "a title"
expect no_display 0 "$version_line" -platform offscreen --version
# --help and --help-all say what help.txt and help-all.txt say (ZEL_UPDATE_REFERENCES=1 writes
# them anew); --help leaves Qt's options to --help-all.
for option in help help-all; do
    "${no_display[@]}" "$program" --$option | sed "s|^Usage: $program |Usage: PROGRAM |" >"$work/$option"
    [ -z "${ZEL_UPDATE_REFERENCES:-}" ] || cp "$work/$option" "$data/$option.txt"
    diff "$data/$option.txt" "$work/$option" || fail "--$option differs from $option.txt"
done
grep -q -- --reverse "$data/help.txt" && fail "--help lists Qt's options"
for run in no_display with_window; do
    expect $run 2 "zel-file-generator: Unknown option 'no-such-option'." --no-such-option
    expect $run 2 "zel-file-generator: Too many arguments: only one file can be opened." \
        one.zel two.zel
    expect $run 2 "zel-file-generator: Missing value after '-platform'." line1.zel -platform
done
expect no_display 2 "zel-file-generator: No file to check." --check -platform offscreen
expect no_display 2 "zel-file-generator: Unknown option 'no-such-option'." \
    --check line1.zel --no-such-option
expect no_display 2 "zel-file-generator: Unknown option 'colour\\x1B[31m'." $'--colour\e[31m'
# A start with the window and no display ends with Qt's reason, not with a dump of its core;
# Qt's options reach it.
expect no_display 1 "This application failed to start because no Qt platform plugin could be \
initialized. Reinstalling the application may fix this problem." line1.zel
expect no_display 1 "qt.qpa.plugin: Could not find the Qt platform plugin \"no-such\" in \"\"" \
    --platform=no-such line1.zel
expect no_display 0 "<stdin>: ok: Select, Copy; RS-232C 9600 8N1; start 3, end 12, suffix 0D" \
    --check - < <(cat line1.zel)
expect no_display 1 "<stdin>:2: error: \"SELECT/\" is not a mode this program knows." \
    --check - <select-slash-alone.zel
expect nonblocking_input 0 "<stdin>: ok: Select, Copy; RS-232C 9600 8N1; start 3, end 12, suffix 0D" \
    --check -
expect closed_input 1 "<stdin>: error: Standard input is closed." --check -
expect no_display 1 "<stdin>: error: Is a directory" --check - </
for arguments in "--check line1.zel" --version --help; do
    expect closed_output 1 "zel-file-generator: The lines could not be written: Standard output \
is closed." $arguments
done
expect full_output 1 "zel-file-generator: The lines could not be written: No space left on device" \
    --check line1.zel

# The usage errors, Qt's and the program's own, and --help speak the language of the environment,
# as languages.txt says.
declare -A unknown_option=([en]="Unknown option 'no-such-option'."
    [ja]="'no-such-option' は未知のオプションです。" [de]="Unbekannte Option 'no-such-option'.")
declare -A too_many=([en]="Too many arguments: only one file can be opened."
    [ja]="引数が多すぎます: 開くことができるファイルは 1 つだけです。"
    [de]="Zu viele Argumente: Es kann nur eine Datei geöffnet werden.")
while IFS='|' read -r variables language; do
    language=${language# }
    read -ra variables <<<"${variables/#-/}"
    speaking=(env -u LANG "${no_display[@]}" "${variables[@]}")
    expect speaking 2 "zel-file-generator: ${unknown_option[$language]}" --no-such-option
    expect speaking 2 "zel-file-generator: ${too_many[$language]}" one.zel two.zel
done < <(grep -v -e '^#' -e '^$' "$data/languages.txt")
japanese=(env "${no_display[@]}" LANG=ja_JP.UTF-8)
german=(env "${no_display[@]}" LANG=de_DE.UTF-8)
expect japanese 0 "使い方: $program [オプション] [ファイル...]" --help
# The system's own reasons in --check's lines stay English where the C library speaks German
# (where Debian's locales package lets this locale be made).
mkdir "$work/locales"
if localedef -i de_DE -f ISO-8859-1 "$work/locales/de_DE" 2>/dev/null; then
    german_system=(env "${no_display[@]}" LOCPATH="$work/locales" LANG=de_DE)
    expect german_system 1 "/: error: Is a directory" --check /
fi
expect german 0 "Aufruf: $program [Optionen] [Datei...]" --help-all

# Any name the system can hold opens, and shows on one line as names.txt says.
mkdir "$work/names"
shown=()
while IFS= read -r row; do
    cp ends-after-mode-line.zel "$work/names/$(printf '%b' "${row% | *}")"
    shown+=("$(printf '%b' "${row#* | }")")
done < <(grep -v -e '^#' -e '^$' "$data/names.txt")
cd "$work/names" || exit 1
"${no_display[@]}" "$program" --check * >"$work/name-lines"
refused=": error: The file ends after line 2 without an [END] line."
for name in "${shown[@]}"; do
    grep -qxF "$name$refused" "$work/name-lines" || fail "no line for the name shown as $name"
done
[ "$(wc -l <"$work/name-lines")" -eq "${#shown[@]}" ] || fail "a name broke its line"
expect no_display 1 $'missing\\xFF.zel: error: No such file or directory' --check $'missing\xff.zel'
cd "$data/settingfiles" || exit 1

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
# The lines are the same in every language, for the scripts and editors that read them.
for language in ja_JP de_DE; do
    timeout 20 "${no_display[@]}" LANG=$language.UTF-8 "$program" --check "${names[@]}" \
        >"$work/$language"
    cmp -s "$work/$language" "$work/lines" || fail "--check speaks another language in $language"
done
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
