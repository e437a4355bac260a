#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# Rewrites the tests' references from what the program does now: the results in
# tests/data/settingfiles.txt, the pictures tests/data/window-*.png and the help texts
# tests/data/help*.txt, through the sanitize
# preset's tests. Review them with git diff and an image viewer before committing.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$(nproc)" --target tst_settingfiles tst_window zel-file-generator >/dev/null
ZEL_UPDATE_REFERENCES=1 ctest --preset sanitize -R '^(tst_settingfiles|tst_window|command-line)$' >/dev/null || true
git status --short tests/data
