#!/usr/bin/env bash
# Sets up, builds and runs every test headless: one build by clang under AddressSanitizer and
# UndefinedBehaviorSanitizer runs the whole suite together with the fuzz targets of the decoders,
# each fuzzed for a bounded time. The timing programs are not built here (see "Benchmarks" in
# README.md).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-ci"

"$root/scripts/setup.sh"
# -O1 with line tables only: the sanitizers' reports keep file and line, and the suite runs
# faster than at -O0 for about the same compile time.
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
    -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld \
    -DFOLVARA_SANITIZE=ON -DFOLVARA_FUZZ=ON -DFOLVARA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
jobs="$(nproc 2>/dev/null || echo 2)"
(cd "$build" && ctest --output-on-failure --timeout 300 -j"$jobs")
