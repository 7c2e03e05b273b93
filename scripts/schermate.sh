#!/usr/bin/env bash
# Screenshots of Quorna for a person to look at: the program runs against the simulated phone
# on a virtual X server with a window manager (Xvfb and openbox), once per language, and saves
# PNGs of every view of the main window and of every dialog into FOLDER
# (default: /tmp/quorna-schermate), outside the repository.
#
#     scripts/schermate.sh [FOLDER]
set -euo pipefail
radice=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cartella=$(realpath -m "${1:-/tmp/quorna-schermate}")
build="${QUORNA_BUILD_DIR:-$radice/build}"
"$radice/scripts/prepara.sh"
mkdir -p "$cartella"
for lingua in 0 1 2; do
    # Each language starts from empty settings and files, on an X server of its own.
    "$radice/tests/isolato.sh" "$radice/tests/conxvfb.sh" "$build/tools/schermate/schermate" \
        "$cartella" "$lingua"
done
echo "Screenshots in $cartella"
