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
