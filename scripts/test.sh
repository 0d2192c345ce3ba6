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
(cd "$build" && ctest --output-on-failure --timeout 300)

# Once more under AddressSanitizer and UndefinedBehaviorSanitizer, built by clang, with the
# fuzz targets of the decoders run for a bounded time each.
asan="$root/build-asan"
CC=clang CXX=clang++ cmake -S "$root" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DFOLVARA_SANITIZE=ON -DFOLVARA_FUZZ=ON -DFOLVARA_BUILD_BENCH=OFF >/dev/null
cmake --build "$asan"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$asan" && ctest --output-on-failure --timeout 300)
