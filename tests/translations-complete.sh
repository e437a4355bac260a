#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# Every text the program marks for translation is translated in every shipped .ts, and each .ts
# is as lupdate writes it from the sources (cmake --build BUILD --target update_translations):
# lupdate reads the sources into copies of the .ts files, and each text it finds missing or
# unfinished, and each copy that differs from its .ts, fails the test, named.
# Usage: translations-complete.sh LUPDATE TS_FILE... -- SOURCE_FOLDER...
set -uo pipefail
lupdate=$1
shift
ts_files=()
while [ "$1" != -- ]; do
    ts_files+=("$1")
    shift
done
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

copies=()
for ts in "${ts_files[@]}"; do
    cp "$ts" "$work/"
    copies+=("$work/$(basename "$ts")")
done
if ! "$lupdate" -silent -locations none -no-obsolete -extensions cpp,h "$@" -ts "${copies[@]}" \
    >"$work/lupdate.log" 2>&1; then
    cat "$work/lupdate.log"
    exit 1
fi
for index in "${!ts_files[@]}"; do
    ts=${ts_files[index]}
    # CONTEXT: SOURCE for each message whose translation is unfinished or empty.
    untranslated=$(awk '
        /<name>/ { sub(/.*<name>/, ""); sub(/<\/name>.*/, ""); context = $0 }
        /<source>/ { source = ""; reading = 1 }
        reading { source = source (source == "" ? "" : "\\n") $0; if (/<\/source>/) reading = 0 }
        /<translation( type="unfinished")?>(<\/translation>)?$|<translation type="unfinished"|<translation\/>/ {
            sub(/.*<source>/, "", source); sub(/<\/source>.*/, "", source)
            print "    " context ": " source
        }' "${copies[index]}")
    if [ -n "$untranslated" ]; then
        echo "FAIL: $(basename "$ts") lacks the translation of:"
        echo "$untranslated"
        failures=$((failures + 1))
    fi
    if ! diff -u "$ts" "${copies[index]}" >"$work/diff"; then
        echo "FAIL: $(basename "$ts") is not as lupdate writes it from the sources:"
        cat "$work/diff"
        failures=$((failures + 1))
    fi
done
[ "$failures" -eq 0 ] || exit 1
echo "${#ts_files[@]} translations complete: $(grep -c '<message>' "${copies[0]}") texts each"
