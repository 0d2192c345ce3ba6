#!/usr/bin/env bash
# Copies the program's own files from a build folder into the program folder:
#   stage.sh BUILD_FOLDER PROGRAM_FOLDER
# Program files (the executable, translations, the user guide Guida.pdf) replace older copies;
# archives, photos, attachments and the password file already there are kept.
set -euo pipefail
build="$(cd "$1" && pwd)"
stage="$2"

mkdir -p "$stage/translations"
install -m 755 "$build/src/Folvara" "$stage/Folvara"
install -m 644 /usr/share/qt6/translations/qtbase_it.qm "$stage/translations/qtbase_it.qm"
rm -f "$stage/Guida.pdf"
install -m 644 "$build/src/Guida.pdf" "$stage/Guida.pdf"
# The first-access password, written only when no password file is there yet.
"$build/src/access/folvara-password" "$stage"
