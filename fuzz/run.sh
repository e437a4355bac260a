#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# Builds the reader's fuzz program (the fuzz preset, clang) and runs it for a bounded time,
# starting from the setting files of the tests. Fails on any crash, leak, sanitizer report,
# broken rule or input slower than 10 s; the failing input is kept in build/fuzz/fuzz-work/ to be
# replayed (fuzz_reader <file>) and, once fixed, committed to fuzz/regression/reader/, which
# tst_settingfiles replays as a test of its own, with no time limit. The slowest input, which the
# last line names, takes at most a few tenths of a second on a busy machine, so no load reaches
# the limit; the files that each input writes and reads back go to memory (/dev/shm) where
# there is one, so that no other program's disk writes hold up their flushes.
# Usage: fuzz/run.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure-packages.sh
ensure_packages "${FUZZ_PACKAGES[@]}"

build_dir=build/fuzz
seconds=${1:-60}
work_dir="$build_dir/fuzz-work"
log="$work_dir/reader.log"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)" >/dev/null

# New inputs go to the first folder, which is not committed; the others are only read.
mkdir -p "$work_dir/reader"
if [ -w /dev/shm ]; then
    TMPDIR=$(mktemp -d /dev/shm/zel-fuzz.XXXXXX)
    export TMPDIR
    trap 'rm -rf "$TMPDIR"' EXIT
fi
if ! "$build_dir/fuzz/fuzz_reader" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work_dir/reader-" -dict=fuzz/reader.dict \
    "$work_dir/reader" tests/data/settingfiles fuzz/regression/reader >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz_reader FAILED; log: $log" >&2
    exit 1
fi
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
# The figure that the limit is set against: each input of the corpus replayed once, timed.
slowest=$(find "$work_dir/reader" tests/data/settingfiles fuzz/regression/reader -type f -print0 |
    xargs -0 "$build_dir/fuzz/fuzz_reader" 2>&1 |
    sed -n 's/^Executed \(.*\) in \([0-9]*\) ms$/\2 ms, \1/p' | sort -n | tail -n 1)
echo "fuzz_reader: $runs executions in $seconds s, $rate executions per second, no failure;" \
    "the slowest input of the corpus: $slowest"
