#!/usr/bin/env bash
# Rewrites the tests' references from what the program does now: the results in
# tests/data/settingfiles.txt and the pictures tests/data/window-*.png. Review them with
# git diff and an image viewer before committing.
# usage: scripts/update-test-references.sh [build_dir]   (default: build-dev)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-dev}
[ -f "$build_dir/CMakeCache.txt" ] || cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build_dir" --target tst_settingfiles tst_window >/dev/null
export QT_QPA_PLATFORM=offscreen ZEL_UPDATE_REFERENCES=1
"$build_dir/tests/tst_settingfiles" >/dev/null
"$build_dir/tests/tst_window" followsTheTables >/dev/null
git status --short tests/data
