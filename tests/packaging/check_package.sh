#!/usr/bin/env bash
# check_package.sh BUILD_FOLDER VERSION: unpacks the package that scripts/package.sh built into a
# throwaway root and checks its files and dependencies. Exit 77 (skipped) without a package.
set -euo pipefail
build="$1"
version="$2"
fail() { echo "FAIL: $*" >&2; exit 1; }

deb="${FOLVARA_DEB:-$build/folvara_${version}_amd64.deb}"
if [ ! -f "$deb" ] || ! command -v dpkg-deb >/dev/null; then
    echo "SKIP: no package at $deb (scripts/package.sh builds it)"
    exit 77
fi
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

for file in \
    usr/bin/folvara \
    usr/share/doc/folvara/Guida.pdf \
    usr/share/doc/folvara/copyright \
    usr/share/doc/folvara/changelog.gz \
    usr/share/applications/it.folvara.Folvara.desktop \
    usr/share/metainfo/it.folvara.Folvara.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/folvara.svg \
    usr/share/icons/hicolor/48x48/apps/folvara.png \
    usr/share/icons/hicolor/256x256/apps/folvara.png \
    usr/share/man/man1/folvara.1.gz; do
    [ -s "$root/$file" ] || fail "missing $file"
done
[ -x "$root/usr/bin/folvara" ] || fail "folvara not executable"
# Nothing but /usr, and no data of the program in it.
[ "$(ls "$root")" = "usr" ] || fail "files outside /usr: $(ls "$root")"
! find "$root" -name '*.fvd' -o -name '*.fvg' -o -name 'unins000.dll' -o -name '*.ini' | grep -q . ||
    fail "data files in the package"

depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
echo "$depends" | grep -q 'libqt6widgets6' || fail "Qt Widgets not among the dependencies"
echo "$depends" | grep -q 'qt6-translations-l10n' || fail "Qt's Italian texts not among the dependencies"
echo "$depends" | grep -q 'libxlsxwriter' || fail "libxlsxwriter not among the dependencies"
# Each alternative's package name, without its version.
names="$(echo "$depends" | tr ',|' '\n\n' | sed -E 's/^ *//; s/[ (].*//')"
! echo "$names" | grep -Eq -- '-dev$|^(g\+\+|gcc|cpp|clang|cmake|ninja-build|build-essential)(-[0-9]+)?$' ||
    fail "development packages among the dependencies: $(echo "$names" | grep -E -- '-dev$|^(g\+\+|gcc|clang|cmake)')"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version"

if command -v desktop-file-validate >/dev/null && command -v appstreamcli >/dev/null; then
    desktop-file-validate "$root/usr/share/applications/it.folvara.Folvara.desktop"
    appstreamcli validate --no-net "$root/usr/share/metainfo/it.folvara.Folvara.metainfo.xml"
fi
# The unpacked program is an installed one: with an empty home it asks for the data folder
# ("Sì" takes ~/Documents/Folvara), puts the password file there, remembers the folder and
# writes nothing else, above all nothing beside itself.
if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null; then
    home="$(mktemp -d)"
    runtime="$(mktemp -d)"
    chmod 700 "$runtime"
    before="$(cd "$root" && find . | sort)"
    export FOLVARA_TEST_ROOT="$root" FOLVARA_TEST_HOME="$home" FOLVARA_TEST_RUNTIME="$runtime"
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        HOME="$FOLVARA_TEST_HOME" XDG_RUNTIME_DIR="$FOLVARA_TEST_RUNTIME" QT_QPA_PLATFORM=xcb \
            "$FOLVARA_TEST_ROOT/usr/bin/folvara" &
        program=$!
        timeout 120 xdotool search --sync --onlyvisible --pid "$program" >/dev/null &&
            xdotool key Return
        for _ in $(seq 300); do
            [ -f "$FOLVARA_TEST_HOME/Documents/Folvara/unins000.dll" ] && break
            sleep 0.1
        done
        kill "$program"
        wait "$program" || true' || true
    unset FOLVARA_TEST_ROOT FOLVARA_TEST_HOME FOLVARA_TEST_RUNTIME
    written="$(cd "$home" && find . -type f ! -path './.dbus/*' ! -path './.cache/*' | sort)"
    rm -rf "$home" "$runtime"
    echo "Written in the home: $written"
    [ "$written" = "$(printf './.config/Folvara/Folvara.conf\n./Documents/Folvara/unins000.dll')" ] ||
        fail "the first start wrote other files, or none"
    [ "$(cd "$root" && find . | sort)" = "$before" ] || fail "the program wrote beside itself"
else
    echo "xvfb-run or xdotool missing: the first start is not tried"
fi
echo "OK: $deb"
