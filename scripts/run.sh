#!/usr/bin/env bash
# Sets up, builds and stages the program folder, then starts Folvara from it.
# The program folder keeps every archive, photo, attachment and the password file
# already in it: staging only replaces the program's own files.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
stage="${FOLVARA_HOME:-$root/stage/Folvara}"

"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DFOLVARA_BUILD_TESTS=OFF -DFOLVARA_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build-release" --target folvara folvara-password folvara_guide_pdf
"$root/scripts/stage.sh" "$root/build-release" "$stage"

echo "Folvara is in $stage"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: starting under Xvfb."
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$stage/Folvara"
fi
exec "$stage/Folvara"
