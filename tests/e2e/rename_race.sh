#!/usr/bin/env bash
# The batch against another process creating the same names, on file
# systems without an atomic no-replace rename: exFAT (exfat-fuse, on a loop
# device) and NTFS (ntfs-3g, on an image file). Each is skipped, with the
# reason, where the machine cannot mount it; exit 77 tells CTest when
# neither could run.
#   rename_race.sh RENAME_RACE_BINARY
set -uo pipefail
race=$1
work=$(mktemp -d)
ran=0
failed=0
loop=""

cleanup() {
  for mounted in "$work"/exfat "$work"/ntfs; do
    mountpoint -q "$mounted" 2>/dev/null && umount "$mounted"
  done
  [[ -n "$loop" ]] && losetup -d "$loop" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

skip() { echo "skipped $1: $2"; }

run_on() {
  local name=$1 mounted=$2
  echo "== $name"
  if "$race" "$mounted" 5 2000; then ran=$((ran + 1)); else failed=1; fi
}

if [[ $(id -u) -ne 0 || ! -e /dev/fuse ]]; then
  skip "exFAT and NTFS" "mounting needs root and /dev/fuse"
  exit 77
fi

mkdir -p "$work"/exfat "$work"/ntfs
truncate -s 256M "$work"/exfat.img "$work"/ntfs.img

if ! command -v mkfs.exfat >/dev/null || ! command -v mount.exfat-fuse >/dev/null; then
  skip exFAT "exfatprogs and exfat-fuse are not installed"
elif ! mkfs.exfat -q "$work"/exfat.img >/dev/null 2>&1 && ! mkfs.exfat "$work"/exfat.img >/dev/null 2>&1; then
  skip exFAT "mkfs.exfat failed"
elif ! loop=$(losetup -f --show "$work"/exfat.img 2>/dev/null); then
  loop=""
  skip exFAT "no loop device can be set up here"
elif ! mount.exfat-fuse "$loop" "$work"/exfat >/dev/null 2>&1; then
  skip exFAT "exfat-fuse could not mount the image"
else
  run_on exFAT "$work"/exfat
fi

if ! command -v mkntfs >/dev/null || ! command -v ntfs-3g >/dev/null; then
  skip NTFS "ntfs-3g is not installed"
elif ! mkntfs -F -Q "$work"/ntfs.img >/dev/null 2>&1; then
  skip NTFS "mkntfs failed"
elif ! ntfs-3g "$work"/ntfs.img "$work"/ntfs >/dev/null 2>&1; then
  skip NTFS "ntfs-3g could not mount the image"
else
  run_on NTFS "$work"/ntfs
fi

[[ $failed -ne 0 ]] && exit 1
[[ $ran -eq 0 ]] && exit 77
exit 0
