#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# Builds the benchmarks (the bench preset, in build/bench) and runs them all, each against its
# floor: the setting-file reader against a line splitter, and the program's start-up (time until
# the window is mapped, peak memory, instructions) against the program's window alone; and
# --check: files per second against the reader alone, and the whole program on 1,000 files.
#   READER_REPETITIONS repetitions of each reader benchmark (default: 9)
#   STARTUP_RUNS       start-up runs of each side for time and memory (default: 20)
#   CALLGRIND_RUNS     start-up runs of each side under callgrind (default: 3)
#   CHECK_RUNS         runs of --check over 1,000 files (default: 20)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${X_PACKAGES[@]}" "${BENCH_PACKAGES[@]}" valgrind python3

build_dir=build/bench
cmake --preset bench >/dev/null
cmake --build --preset bench -j"$(nproc)"

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "=== setting-file reader against its floor (Google Benchmark's report: $build_dir/reader.txt)"
# Repetitions of reader and floor take turns, so that the machine's noise hits both alike.
"$build_dir/bench/bench_reader" --benchmark_repetitions="${READER_REPETITIONS:-9}" \
    --benchmark_enable_random_interleaving=true --benchmark_display_aggregates_only=true \
    --benchmark_out="$build_dir/reader.json" --benchmark_out_format=json >"$build_dir/reader.txt"
python3 bench/driver.py reader "$build_dir/reader.json"

echo
echo "=== --check over 1,000 files, the whole program"
python3 bench/driver.py check "$build_dir"

echo
echo "=== start-up against the floor"
# A 24-bit screen as on a desktop; xvfb-run's default is 8-bit and smaller than the window.
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" python3 bench/driver.py startup "$build_dir"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
