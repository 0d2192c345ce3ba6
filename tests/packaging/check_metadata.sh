#!/usr/bin/env bash
# check_metadata.sh DESKTOP_FILE METAINFO_FILE VERSION: the menu entry and the AppStream metadata
# pass Debian's validators and say what the menu needs. Exit 77 (skipped) without the validators.
set -euo pipefail
desktop="$1"
metainfo="$2"
version="$3"
fail() { echo "FAIL: $*" >&2; exit 1; }

grep -qx 'Name=Folvara' "$desktop" || fail "Name"
grep -qx 'Exec=folvara' "$desktop" || fail "Exec"
grep -qx 'Icon=folvara' "$desktop" || fail "Icon"
grep -qx 'Categories=Office;' "$desktop" || fail "Categories"
grep -q '^Comment=Archivio delle persone' "$desktop" || fail "Italian comment"
grep -q '<launchable type="desktop-id">it.folvara.Folvara.desktop</launchable>' "$metainfo" || fail "launchable"
grep -q "<release version=\"$version\"" "$metainfo" || fail "release $version"
grep -q '<screenshot type="default">' "$metainfo" || fail "screenshot"
grep -q '<project_license>' "$metainfo" || fail "licence"

if ! command -v desktop-file-validate >/dev/null || ! command -v appstreamcli >/dev/null; then
    echo "SKIP: desktop-file-validate or appstreamcli missing (scripts/package.sh installs them)"
    exit 77
fi
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$metainfo"
