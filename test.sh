#!/usr/bin/env bash
# Builds with AddressSanitizer and UBSan and runs every test headless.
# BUILD_DIR chooses another build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${X_PACKAGES[@]}"

build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -DZEL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
ctest --test-dir "$build_dir" --output-on-failure

# --- fuzz ---
# Each fuzzer runs for a bounded time in a clang build folder beside this one; FUZZ_SECONDS
# (default 60) is the reader's share, and 0 leaves the step out.
if [ "${FUZZ_SECONDS:-60}" -gt 0 ]; then
    fuzz/run.sh "$build_dir-clang" "${FUZZ_SECONDS:-60}"
fi
