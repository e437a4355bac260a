#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# Builds the Debian package from a build folder, unpacks it into a temporary root (nothing is
# installed on this machine) and checks what a desktop, a software centre and dpkg will rely
# on, and what lintian says of it. It installs nothing: where a tool it needs is missing it says
# so and exits with 77, which CTest reports as skipped (./test.sh installs them).
# Usage: package-test.sh <build dir> <source dir> <expected version>
set -euo pipefail
build_dir=$1
source_dir=$2
expected_version=$3
app=zel-file-generator
mime_type=application/x-zel-settings
for tool in dpkg-deb lintian appstreamcli desktop-file-validate update-mime-database; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! cpack --config "$build_dir/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL: cpack did not build the package"
    exit 1
fi
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "FAIL: expected one package, got: ${debs[*]}"; exit 1; }
deb=${debs[0]}
root=$work/root
dpkg-deb -x "$deb" "$root"

check_field() {
    local actual
    actual=$(dpkg-deb -f "$deb" "$1")
    [ "$actual" = "$2" ] || fail "control field $1 is '$actual', expected '$2'"
}
check_field Package "$app"
check_field Version "$expected_version"

# Everything belongs under /usr; a stray absolute install path would land elsewhere.
while IFS= read -r path; do
    case $path in
        ./usr/bin/* | ./usr/share/*) ;;
        *) fail "unexpected file in package: $path" ;;
    esac
done < <(cd "$root" && find . -type f)

program=$root/usr/bin/$app
[ -x "$program" ] || fail "program missing or not executable: usr/bin/$app"

desktop=$root/usr/share/applications/$app.desktop
if [ ! -f "$desktop" ]; then
    fail "desktop entry missing"
else
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejected the entry"
    entry_value() { sed -n "s/^$1=//p" "$desktop"; }
    [ "$(entry_value Name)" = "ZEL File Generator" ] || fail "desktop Name is '$(entry_value Name)'"
    [ "$(entry_value Terminal)" = "false" ] || fail "desktop entry does not say Terminal=false"
    [ -n "$(entry_value Comment)" ] || fail "desktop entry has no Comment"
    for key in {Name,GenericName,Comment}\\[{de,ja}\\]; do
        [ -n "$(entry_value "$key")" ] || fail "desktop entry has no ${key//\\/}"
    done
    [ -n "$(entry_value Categories)" ] || fail "desktop entry has no Categories"
    exec_program=$(entry_value Exec | cut -d' ' -f1)
    [ -x "$root/usr/bin/$exec_program" ] || fail "Exec '$exec_program' is not in usr/bin"
    icon=$(entry_value Icon)
    [ "$icon" = "$app" ] || fail "desktop Icon is '$icon'"
    # A file manager passes the file it opens; %f takes one local file.
    [ "$(entry_value Exec)" = "$app %f" ] || fail "desktop Exec is '$(entry_value Exec)'"
    [ "$(entry_value MimeType)" = "$mime_type;" ] || fail "desktop MimeType is '$(entry_value MimeType)'"
fi

# The type must build into a MIME database on its own, with its glob and icon.
mime_xml=$root/usr/share/mime/packages/$app.xml
if [ ! -f "$mime_xml" ]; then
    fail "MIME type definition missing: usr/share/mime/packages/$app.xml"
else
    mkdir -p "$work/mime/packages"
    cp "$mime_xml" "$work/mime/packages/"
    # Pointed at a folder of its own, it searches no other (and says nothing of it).
    XDG_DATA_DIRS=$work XDG_DATA_HOME=$work update-mime-database "$work/mime" >"$work/mime.log" 2>&1 || true
    [ ! -s "$work/mime.log" ] || { cat "$work/mime.log"; fail "update-mime-database complained"; }
    grep -qx "60:$mime_type:\*.zel" "$work/mime/globs2" 2>/dev/null || fail "no *.zel glob of weight 60"
    grep -qx "$mime_type:$app" "$work/mime/icons" 2>/dev/null || fail "the type has not the program's icon"
fi

# The software-centre description: valid without a single remark, and about this package.
metainfo=$(find "$root/usr/share/metainfo" -name '*.metainfo.xml' 2>/dev/null | head -n1)
if [ -z "$metainfo" ]; then
    fail "AppStream metainfo missing in usr/share/metainfo"
else
    appstreamcli validate --pedantic --no-net "$metainfo" >"$work/appstream.log" 2>&1 || true
    cat "$work/appstream.log"
    if grep -q '^[EWIP]:' "$work/appstream.log" || ! grep -q 'Validation was successful' "$work/appstream.log"; then
        fail "appstreamcli validate --pedantic has remarks"
    fi
    grep -q "<id>$(basename "$metainfo" .metainfo.xml)</id>" "$metainfo" || fail "metainfo file not named after its id"
    grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" "$metainfo" || fail "metainfo launchable"
    grep -q "<mediatype>$mime_type</mediatype>" "$metainfo" || fail "metainfo does not provide $mime_type"
    grep -q "<release version=\"$expected_version\"" "$metainfo" || fail "metainfo has no release $expected_version"
    for language in de ja; do
        for element in name summary; do
            grep -q "<$element xml:lang=\"$language\">" "$metainfo" || fail "metainfo has no $element in $language"
        done
    done
fi

docs=$root/usr/share/doc/$app
head -n1 "$docs/copyright" 2>/dev/null | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "no machine-readable copyright file"
if zcat "$docs/changelog.gz" >"$work/changelog" 2>/dev/null; then
    changelog_version=$(dpkg-parsechangelog -l"$work/changelog" -SVersion)
    [ "$changelog_version" = "$expected_version" ] || fail "changelog version is '$changelog_version'"
else
    fail "changelog.gz missing in usr/share/doc/$app"
fi
[ -f "$root/usr/share/man/man1/$app.1.gz" ] || fail "manual page missing"

# A PNG's width and height are the two big-endian words at bytes 16 to 23.
png_size() {
    od -An -tu1 -j16 -N8 "$1" |
        awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}
icons=$root/usr/share/icons/hicolor
for size in 16 22 24 32 48 64 128 256; do
    png=$icons/${size}x${size}/apps/$app.png
    if [ ! -f "$png" ]; then
        fail "icon missing: ${size}x${size}"
    elif [ "$(png_size "$png")" != "${size}x${size}" ]; then
        fail "icon ${size}x${size} is $(png_size "$png")"
    fi
done
grep -q '<svg' "$icons/scalable/apps/$app.svg" 2>/dev/null || fail "scalable icon missing"

if [ -f "$source_dir/README.md" ]; then
    cmp -s "$source_dir/README.md" "$root/usr/share/doc/$app/README.md" ||
        fail "README.md not installed in usr/share/doc/$app"
fi

# Every library the program links directly must come from a package the package depends on,
# and the two run-time needs the linker cannot see must be there too.
depends=$(dpkg-deb -f "$deb" Depends | tr ',|' '\n\n' | awk 'NF { print $1 }' | sort -u)
echo "Depends: $(dpkg-deb -f "$deb" Depends)"
requires() {
    grep -qx "$1" <<<"$depends" || fail "Depends lacks $1 ($2)"
}
requires qt6-qpa-plugins "xcb platform plugin"
requires fonts-liberation "stands in for Arial"
requires qt6-translations-l10n "Qt's own texts in Japanese and German"
dpkg-deb -f "$deb" Recommends | grep -qw fonts-ipafont-gothic || fail "Recommends lacks a Japanese font"
# The program finds its translations where the package puts them.
for language in de ja; do
    [ -f "$root/usr/share/$app/translations/${app}_$language.qm" ] || fail "no translation into $language"
done
if [ -x "$program" ]; then
    usage_error=$(env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG=ja_JP.UTF-8 "$program" one two 2>&1) ||
        true
    grep -q '引数が多すぎます' <<<"$usage_error" || fail "the program in the package speaks no Japanese"
fi
if [ -x "$program" ]; then
    owner_of() {
        # Merged /usr: ldd may name /usr/lib while dpkg recorded /lib, or the other way round.
        dpkg -S "$1" 2>/dev/null || dpkg -S "${1#/usr}" 2>/dev/null || dpkg -S "/usr$1" 2>/dev/null
    }
    libraries=$(ldd "$program")
    for soname in $(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        path=$(awk -v lib="$soname" '$1 == lib && $2 == "=>" { print $3 }' <<<"$libraries")
        [ -n "$path" ] || { fail "$soname does not resolve"; continue; }
        owner=$(owner_of "$path" | head -n1 | cut -d: -f1) || true
        [ -n "$owner" ] || { fail "no package owns $path"; continue; }
        requires "$owner" "provides $soname"
    done
fi

# Debian's hardening: a position-independent program, relro, and every symbol bound at start.
if [ -x "$program" ]; then
    readelf -h "$program" | grep -q 'Type:.*DYN' || fail "the program is not position-independent"
    readelf -lW "$program" | grep -q GNU_RELRO || fail "the program has no relro segment"
    readelf -d "$program" | grep -q 'BIND_NOW' || fail "the program is not bound at start (bindnow)"
fi

# Errors and warnings fail; informational tags may stay.
echo "lintian $(basename "$deb"):"
lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "package $(basename "$deb") checked"
