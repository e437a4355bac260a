#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# Installs the Debian package on a fresh, minimal Debian 12 root with apt, as an operator would,
# and starts the program from its desktop entry's command under Xvfb inside that root. Then, as
# a file manager would: asks xdg-mime for the type of a .zel file and the program that opens it,
# and opens the file with gio, which must start the program with that file.
# Prints the packages apt pulled in and where the screenshots of the window are.
# Needs root (debootstrap, chroot, mount) and the network; it is not part of ./test.sh.
# The package is built from the release preset, in build/release/package/.
#   FRESH_ROOT_DIR cache of the bare root, kept between runs (default: /var/tmp/zel-fresh-bookworm)
#   DEBIAN_MIRROR  mirror for debootstrap (default: the bookworm source in this machine's apt setup)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure-packages.sh

build_dir=build/release
cache=${FRESH_ROOT_DIR:-/var/tmp/zel-fresh-bookworm}
base=$cache/base
root=$cache/root
screenshots=$PWD/$build_dir

[ "$(id -u)" -eq 0 ] || { echo "run as root: debootstrap, chroot and mount need it" >&2; exit 1; }

# The first bookworm source of this machine, in either sources format.
configured_mirror() {
    local one_line=() deb822=() file
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] && one_line+=("$file")
    done
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] && deb822+=("$file")
    done
    {
        [ ${#one_line[@]} -eq 0 ] || awk '$1 == "deb" {
            sub(/^deb +\[[^]]*\] */, "deb ")
            if ($3 == "bookworm") { print $2 }
        }' "${one_line[@]}"
        [ ${#deb822[@]} -eq 0 ] || awk 'BEGIN { RS = "" } {
            uri = ""; types = ""; suites = ""
            n = split($0, lines, "\n")
            for (i = 1; i <= n; i++) {
                if (lines[i] ~ /^URIs:/) { split(lines[i], f, " "); uri = f[2] }
                if (lines[i] ~ /^Types:/) { types = lines[i] " " }
                if (lines[i] ~ /^Suites:/) { suites = lines[i] " " }
            }
            if (uri != "" && types ~ / deb / && suites ~ / bookworm /) { print uri }
        }' "${deb822[@]}"
    } | head -n1
}

build_package() {
    ensure_packages "${BUILD_PACKAGES[@]}" debootstrap
    cmake --preset release >/dev/null
    echo "Building the package in $build_dir"
    cmake --build --preset release -j"$(nproc)" >"$build_dir/build.log" 2>&1 ||
        { tail -n 30 "$build_dir/build.log"; exit 1; }
    rm -rf "$build_dir/package"
    cpack --config "$build_dir/CPackConfig.cmake" -B "$build_dir/package" >/dev/null
}

# The bare root is made once; every run installs into a copy of it, so each run starts fresh.
make_base_root() {
    [ -f "$base/.complete" ] && return 0
    local mirror=${DEBIAN_MIRROR:-$(configured_mirror)}
    [ -n "$mirror" ] || { echo "no bookworm source in /etc/apt; set DEBIAN_MIRROR" >&2; exit 1; }
    echo "Making a minimal Debian 12 root in $base"
    rm -rf "$base"
    mkdir -p "$cache"
    debootstrap --variant=minbase bookworm "$base" "$mirror" >"$cache/debootstrap.log" 2>&1 ||
        { tail -n 20 "$cache/debootstrap.log"; exit 1; }
    touch "$base/.complete"
}

mounted=()
unmount_all() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" || umount -l "${mounted[i]}" || true
    done
}
trap unmount_all EXIT

mount_into_root() {
    mount -t proc proc "$root/proc"
    mounted+=("$root/proc")
    mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
    mounted+=("$root/dev/pts")
}

in_root() {
    chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@"
}

installed_packages() {
    in_root dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 == "ii" { print $2 }'
}

install_package() {
    local deb=$1
    cp "$deb" "$root/tmp/"
    chmod 644 "$root/tmp/$(basename "$deb")"
    installed_packages | sort >"$cache/before.txt"
    in_root apt-get update -qq
    echo "--- apt-get install -y ./$(basename "$deb")"
    in_root sh -c "cd /tmp && apt-get install -y ./$(basename "$deb")" 2>&1 | tee "$cache/apt.log"
    installed_packages | sort >"$cache/after.txt"
}

# Runs inside the root under xvfb-run as an ordinary user: runs the command, waits for the
# program's window, takes the picture, then closes the program through its own File menu.
# usage: start-and-close.sh COMMAND WINDOW-NAME-PATTERN
write_start_script() {
    cat >"$root/tmp/start-and-close.sh" <<'EOF'
#!/bin/sh
set -u
echo "starting: $1"
$1 & # unquoted: the command may carry arguments
launcher=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name "$2" | head -n1)
[ -n "$window" ] || { echo "no window named '$2' within 30 s"; kill "$launcher"; exit 1; }
echo "window $window: $(xdotool getwindowname "$window")"
# The command may be a launcher that has handed the program on (gio open).
pid=$(xdotool getwindowpid "$window")
sleep 1 # let the first paint finish
xwd -silent -id "$window" -out /tmp/window.xwd
xdotool windowfocus --sync "$window" key alt+f sleep 0.5 key x
for _ in 1 2 3 4 5 6 7 8 9 10; do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
done
if kill -0 "$pid" 2>/dev/null; then
    echo "still running after File > Exit; ending it"
    kill "$pid"
    exit 1
fi
if [ "$pid" != "$launcher" ]; then
    echo "closed through File > Exit"
    exit 0
fi
wait "$pid"
status=$?
echo "closed through File > Exit, exit status $status"
exit "$status"
EOF
    chmod 755 "$root/tmp/start-and-close.sh"
}

# As the ordinary user desk under Xvfb: start-and-close.sh with COMMAND and WINDOW-NAME-PATTERN;
# the window's picture goes to the build folder as NAME.png.
start_and_close() {
    rm -f "$root/tmp/window.xwd"
    in_root runuser -u desk -- env HOME=/home/desk \
        xvfb-run -a -s '-screen 0 1280x1024x24' /tmp/start-and-close.sh "$1" "$2"
    convert "xwd:$root/tmp/window.xwd" "$screenshots/$3.png"
    echo "--- screenshot: $screenshots/$3.png"
}

start_from_desktop_entry() {
    local desktop=$root/usr/share/applications/zel-file-generator.desktop
    # Field codes such as %f stand for files the launcher passes; there are none here.
    local command name
    command=$(sed -n 's/^Exec=//p' "$desktop" | sed 's/ *%[fFuUick]//g')
    name=$(sed -n 's/^Name=//p' "$desktop")
    start_and_close "$command" "$name" fresh-install
}

# What a file manager asks when an operator double-clicks a setting file, and what it runs.
open_from_file_manager() {
    local file=/home/desk/some.zel type default
    printf '// some.zel\r\n// 2026.12.07\r\n[MODE]\r\nSELECT/PROGRAM\r\n[END]\r\n' >"$root$file"
    in_root chown desk: "$file"
    type=$(in_root runuser -u desk -- env HOME=/home/desk xdg-mime query filetype "$file")
    echo "--- xdg-mime query filetype some.zel: $type"
    [ "$type" = application/x-zel-settings ] || { echo "FAIL: not the setting-file type"; exit 1; }
    default=$(in_root runuser -u desk -- env HOME=/home/desk xdg-mime query default "$type")
    echo "--- xdg-mime query default $type: $default"
    [ "$default" = zel-file-generator.desktop ] || { echo "FAIL: not this program"; exit 1; }
    echo "--- gio open some.zel"
    start_and_close "gio open $file" ' - some\.zel$' fresh-open
}

build_package
debs=("$build_dir"/package/*.deb)
deb=${debs[0]}
make_base_root
echo "Copying the bare root to $root"
# A run that was killed may have left its mounts; rm must not walk into them.
rm -rf --one-file-system "$root"
cp -a "$base" "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount_into_root
# The desktop's side first, so that the package's own install runs its triggers: the MIME
# and desktop databases, xdg-mime with the helper it recommends, gio; then the X tools.
in_root apt-get update -qq
in_root apt-get install -y -qq --no-install-recommends shared-mime-info desktop-file-utils \
    xdg-utils libfile-mimeinfo-perl libglib2.0-bin xvfb xauth xdotool x11-apps >/dev/null
in_root sh -c 'id desk >/dev/null 2>&1 || useradd --create-home desk'
write_start_script
install_package "$deb"
ensure_packages imagemagick
start_from_desktop_entry
open_from_file_manager

pulled_in=$cache/pulled-in.txt
comm -13 "$cache/before.txt" "$cache/after.txt" | grep -vx zel-file-generator >"$pulled_in"
echo "--- apt pulled in $(wc -l <"$pulled_in") packages with $(basename "$deb"):"
tr '\n' ' ' <"$pulled_in" | fold -s -w 100
echo
