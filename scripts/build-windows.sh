#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# Cross-builds the program for 64-bit Windows with MinGW-w64 and packs the zip and the installer.
# The first run builds Qt from Debian's own source (about an hour) into a cache outside the
# checkout; later runs reuse it. ZEL_WINDOWS_QT names another Qt for Windows. The build is the
# windows preset, in build/windows/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"

qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev | sed 's/+.*//')
cache=${XDG_CACHE_HOME:-$HOME/.cache}/zel-file-generator
export ZEL_WINDOWS_QT=${ZEL_WINDOWS_QT:-$cache/qt-$qt_version-mingw-w64}
toolchain=$PWD/cmake/mingw-w64.cmake
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# Qt for Windows from the source of the Qt that the Linux build uses, whose host tools
# (moc, rcc, uic) it takes; only what the program links, with Qt's bundled third-party code. It
# keeps, beside the installed Qt, what the third-party notices need.
build_qt() {
    if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            $sudo tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
        $sudo apt-get update -qq
    fi
    local work=$cache/qt-$qt_version-work
    rm -rf "$work"
    mkdir -p "$work"
    (cd "$work" && apt-get source -qq "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev)")
    # Debian leaves out the tablet header wintab.h; dynamic GL needs OpenGL, which is off; Qt
    # builds its DirectWrite 3 font database only with Direct2D, which the program does not use.
    cmake -S "$work"/qt6-base-*/ -B "$work/build" -G Ninja -Wno-dev \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$ZEL_WINDOWS_QT" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF \
        -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
        -DFEATURE_direct2d=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_jpeg=OFF \
        -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_directwrite3=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
        -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF
    cmake --build "$work/build"
    cmake --install "$work/build"
    # What the Windows package's third-party notices are made from, before the work folder goes.
    scripts/keep-qt-notices.sh "$work"/qt6-base-*/ "$work/build" "$ZEL_WINDOWS_QT/notices"
    rm -rf "$work"
}
[ -f "$ZEL_WINDOWS_QT/lib/cmake/Qt6/qt.toolchain.cmake" ] || build_qt

# The windows preset: Qt's cross-build settings, then the toolchain file.
cmake --preset windows >/dev/null
cmake --build --preset windows
cpack --config build/windows/CPackConfig.cmake -B build/windows/packages >/dev/null
echo "Program:   build/windows/zel-file-generator.exe"
echo "Zip:       $(ls build/windows/packages/*.zip)"
echo "Installer: $(ls build/windows/packages/*.exe)"
