#!/usr/bin/env bash
# Builds the fuzz programs with clang in build_dir and runs each for a bounded time: the reader
# for reader_seconds, the path helpers and filters for a third of it. Fails on any crash, leak,
# sanitizer report, broken invariant or input slower than 1 s; the failing input is kept in
# build_dir/fuzz-work/ to be replayed (fuzz_<name> <file>) and, once fixed, committed to
# fuzz/regression/<name>/.
# Usage: fuzz/run.sh build_dir [reader_seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure-packages.sh
ensure_packages "${FUZZ_PACKAGES[@]}"

build_dir=$1
reader_seconds=${2:-60}
work_dir="$build_dir/fuzz-work"

CC=clang CXX=clang++ cmake -S . -B "$build_dir" -DZEL_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j2 --target fuzz_reader fuzz_textinput >/dev/null

# run_fuzzer name seconds seeds [libFuzzer options...]
run_fuzzer() {
    local name=$1 seconds=$2 seeds=$3
    shift 3
    local log="$work_dir/$name.log"
    # New inputs go to the first folder, which is not committed; the others are only read.
    mkdir -p "$work_dir/$name"
    if ! "$build_dir/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$work_dir/$name-" "$@" \
        "$work_dir/$name" "$seeds" "fuzz/regression/$name" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "fuzz_$name FAILED; log: $log" >&2
        return 1
    fi
    local runs rate
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    echo "fuzz_$name: $runs executions in $seconds s, $rate executions per second, no failure"
}

run_fuzzer reader "$reader_seconds" tests/data/settingfiles -dict=fuzz/reader.dict
run_fuzzer textinput $(((reader_seconds + 2) / 3)) fuzz/corpus/textinput
