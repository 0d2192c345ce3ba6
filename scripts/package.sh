#!/usr/bin/env bash
# Builds the Debian package folvara_<version>_amd64.deb from a Release build in build-package/
# and checks it with desktop-file-validate, appstreamcli and lintian. Apart from the test
# command: a Release build from scratch takes long on a small machine.
#   package.sh            the package lands in build-package/
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-package"

# The package's own tools besides the build's: icon sizes, the dependency scan and the checks.
"$root/scripts/setup.sh" librsvg2-bin dpkg-dev file desktop-file-utils appstream lintian

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
    -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro -Wl,-z,now" \
    -DFOLVARA_BUILD_TESTS=OFF -DFOLVARA_BUILD_BENCH=OFF >/dev/null
nice -n 5 cmake --build "$build" --target folvara folvara_guide_pdf folvara_package_files
(cd "$build" && rm -f folvara_*.deb && cpack -G DEB)
deb="$(ls "$build"/folvara_*.deb)"

echo "== desktop-file-validate"
desktop-file-validate "$root/packaging/it.folvara.Folvara.desktop"
echo "== appstreamcli validate"
# --no-net: the screenshot's address is not fetched from here.
appstreamcli validate --no-net "$build/packaging/it.folvara.Folvara.metainfo.xml"
echo "== lintian"
lintian --fail-on error,warning --display-info "$deb" || {
    echo "lintian found errors or warnings" >&2
    exit 1
}
echo "Package: $deb"
echo "Install it with: sudo apt install $deb"
