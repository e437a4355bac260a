#!/usr/bin/env bash
# Builds the sanitize preset (AddressSanitizer and UBSan) and runs every test headless, then a
# bounded fuzzing run of the reader (the fuzz preset). FUZZ_SECONDS (default 60) is the reader's
# share; 0 leaves that step out.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${X_PACKAGES[@]}" "${PACKAGE_TEST_PACKAGES[@]}"

cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$(nproc)"
ctest --preset sanitize

if [ "${FUZZ_SECONDS:-60}" -gt 0 ]; then
    fuzz/run.sh "${FUZZ_SECONDS:-60}"
fi
