# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# Sourced by run.sh and test.sh: installs with apt-get the Debian packages that are missing. The
# package lists are updated only when something must be installed.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    apt_get_waiting update -qq
    apt_get_waiting install -y -qq --no-install-recommends "${missing[@]}"
}

# apt-get, waiting while another apt-get or dpkg holds the package manager's locks (up to 20
# minutes): dpkg's lock through apt's own timeout, the lists' lock, which apt-get update does not
# wait for, by trying again.
apt_get_waiting() {
    local sudo="" output attempt
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    for attempt in $(seq 240); do
        if output=$($sudo env LC_ALL=C DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=1200 "$@" 2>&1); then
            [ -z "$output" ] || echo "$output"
            return 0
        fi
        grep -q '^E: Could not get lock' <<<"$output" || break
        [ "$attempt" -gt 1 ] || echo "Waiting for another package manager to finish..."
        sleep 5
    done
    echo "$output" >&2
    return 1
}

# Qt's translation tools with their CMake API (qt6-tools-dev) and Qt's own translations.
BUILD_PACKAGES=(cmake make g++ qt6-base-dev qt6-base-dev-tools libgl-dev fonts-liberation
    dpkg-dev desktop-file-utils libx11-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)
# A display, and a font for the window in Japanese.
X_PACKAGES=(xvfb xauth x11-utils x11-apps xdotool imagemagick fonts-ipafont-gothic)
# What the tests check the Debian package with (package-test skips itself without them).
PACKAGE_TEST_PACKAGES=(lintian appstream shared-mime-info)
# The fuzz programs (fuzz/run.sh) and the reader benchmark (bench/).
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
BENCH_PACKAGES=(libbenchmark-dev)
# The Windows build (scripts/build-windows.sh) and its tests under Wine.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix ninja-build imagemagick nsis unzip wine wine64)
