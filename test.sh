#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# Checks that every C++ file is formatted as .clang-format says, builds the sanitize preset
# (AddressSanitizer and UBSan) and runs every test headless, then a bounded fuzzing run of the
# reader (the fuzz preset). FUZZ_SECONDS (default 60) is the reader's share; 0 leaves it out.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${X_PACKAGES[@]}" "${PACKAGE_TEST_PACKAGES[@]}" clang-format \
    reuse

# Every file states its copyright and licence (REUSE).
reuse lint >/dev/null || { reuse lint >&2; exit 1; }

# One format, clang-format 14's with the committed .clang-format.
sources=$(find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
if ! clang-format --dry-run -Werror $sources 2>/dev/null; then
    unformatted=$(clang-format --dry-run $sources 2>&1 |
        sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning:.*/\1/p' | sort -u)
    echo "These files differ from .clang-format; format them with:" >&2
    echo "    clang-format -i" $unformatted >&2
    exit 1
fi

cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$(nproc)"
ctest --preset sanitize

if [ "${FUZZ_SECONDS:-60}" -gt 0 ]; then
    fuzz/run.sh "${FUZZ_SECONDS:-60}"
fi
