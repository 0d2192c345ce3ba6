#!/usr/bin/env bash
# Sets up, builds and runs every test headless.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-ci"

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
cd "$build"
ctest --output-on-failure --timeout 300
