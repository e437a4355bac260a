#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# Renders the hicolor PNGs from the SVG source. A developer tool: the PNGs are committed,
# so building and packaging never need rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/.."
source=icons/zel-file-generator.svg
for size in 16 22 24 32 48 64 128 256; do
    target=icons/hicolor/${size}x${size}/apps/zel-file-generator.png
    mkdir -p "$(dirname "$target")"
    rsvg-convert --width "$size" --height "$size" --output "$target" "$source"
done
