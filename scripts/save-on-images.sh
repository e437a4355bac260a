#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# Saves on exFAT, NTFS and FAT images mounted through FUSE, over a file longer than, as long as
# and shorter than the new content and as a new file, then on a full exFAT image; shows each
# save's outcome and what the folder holds afterwards. tst_filesaving (the sanitize preset)
# checks that every save is done and leaves the new bytes, and on the full image that every
# refused one leaves the former bytes. Fails otherwise. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure-packages.sh
ensure_packages exfat-fuse exfatprogs ntfs-3g dosfstools fusefat
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize --target tst_filesaving >/dev/null
test=$(realpath build/sanitize/tests/tst_filesaving)
work=$(mktemp -d)
loop=
trap 'for folder in "$work"/*/; do umount "$folder" || true; done
      [ -z "$loop" ] || losetup -d "$loop"; rm -rf "$work"' EXIT

# saves NAME [full]: the saves on the mount NAME, then the names of the files left there.
status=0
saves() {
    echo "== $1 ${2:-}"
    ZEL_SAVE_IN="$work/$1" ZEL_SAVE_FULL=${2:-} "$test" savesOverAnyLength | sed -nE -e 's/^QINFO +: [^ ]+ /  /p' \
        -e 's/^(FAIL!|PASS) +: [^ ]+savesOverAnyLength.*/  \1/p' -e 's/^ +(Actual|Expected)/  &/p' ||
        status=1
    echo "  files: $(ls -A "$work/$1" | tr '\n' ' ')"
}

cd "$work"
mkdir exfat ntfs fat
truncate -s 8M exfat.img ntfs.img
mkfs.exfat exfat.img >/dev/null
# Run by root, exfat-fuse wants a block device.
loop=$(losetup -f --show exfat.img)
mount.exfat-fuse "$loop" exfat >/dev/null
mkfs.ntfs -F -Q ntfs.img >/dev/null 2>&1
ntfs-3g ntfs.img ntfs
mkfs.vfat -C fat.img 8192 >/dev/null
fusefat -o rw+ fat.img fat >/dev/null 2>&1
saves exfat
saves ntfs
saves fat
# Full: the files are there, the rest of the stick is taken.
dd if=/dev/zero of=exfat/filler bs=4k status=none 2>/dev/null || true
saves exfat full
exit $status
