#!/usr/bin/env bash
# Runs the stalled-drive test program with the prefix's network drive Y:
# on a file system that stops answering, and unmounts it on every way out.
#   stalled_drive.sh <test program>     (inside a started Wine environment)
# Exit status 77 (skipped) on a host without FUSE.
set -uo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
mount=$WINEPREFIX/test-drives/stalled
release=$(dirname "$program")/stalled-drive.release

if [ ! -e /dev/fuse ]; then
  echo "stalled-drive test skipped: this host has no /dev/fuse"
  exit 77
fi
mkdir -p "$mount"
rm -f "$release"
/usr/bin/python3 "$here/stalling_fs.py" "$mount" "$release" 60 &
fs=$!
cleanup() {
  touch "$release"
  kill "$fs" 2>/dev/null
  wait "$fs" 2>/dev/null
  if mountpoint -q "$mount"; then fusermount3 -u -z "$mount" 2>/dev/null || umount -l "$mount"; fi
  rm -f "$release"
}
trap cleanup EXIT
for _ in $(seq 50); do mountpoint -q "$mount" && break; sleep 0.1; done
mountpoint -q "$mount" || { echo "the stalling file system did not mount on $mount" >&2; exit 1; }

KELVRA_STALLED_DRIVE=Y: "$WINELOADER" "$program" --gtest_color=no "${@:2}"
