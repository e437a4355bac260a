#!/usr/bin/env bash
# Builds the benchmarks in a Release folder of their own and runs them all, each printing its
# ratio to its floor: the setting-file reader against a line splitter, and the program's start-up
# (time, peak memory, instructions) against a floor program with the same window and no logic.
# BENCH_DIR chooses the build folder (default: build-bench).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${X_PACKAGES[@]}" "${BENCH_PACKAGES[@]}" \
    libx11-dev valgrind

build_dir=${BENCH_DIR:-build-bench}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DZEL_BENCH=ON -DZEL_SANITIZE=OFF >/dev/null
cmake --build "$build_dir" -j2 --target bench_reader bench_startup startup_floor zel-file-generator

echo "=== setting-file reader against its floor"
"$build_dir/bench/bench_reader"
echo
echo "=== start-up against the floor program"
bench/startup/run.sh "$build_dir"
