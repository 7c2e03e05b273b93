#!/usr/bin/env bash
# Builds Quorna and starts it. Unless QUORNA_COM1 names a device, the simulated S25 phone is
# started on a pseudo-terminal and Com1 points at it, so Connect reaches a phone at once. Only the
# program and the simulated phone are built here; test.sh builds the rest.
set -euo pipefail
# Each process run before the window delays the start: the shell finds its folder itself.
cartella=${0%/*}
[ "$cartella" = "$0" ] && cartella=.
CDPATH='' cd -- "$cartella" && radice=$PWD && cd -- "$OLDPWD"
build="${QUORNA_BUILD_DIR:-$radice/build}"
"$radice/scripts/prepara.sh" --programma

if [ -z "${QUORNA_COM1:-}" ]; then
    registro="${TMPDIR:-/tmp}/s25sim-$UID.log"
    coproc SIMULATORE {
        exec "$build/tools/s25sim/s25sim" --seed "$radice/tools/s25sim/demo.s25" --baud 19200 \
            2>"$registro"
    }
    trap 'kill "$SIMULATORE_PID" 2>/dev/null || true' EXIT
    read -r -u "${SIMULATORE[0]}" terminale
    export QUORNA_COM1="$terminale"
    echo "Simulated S25 phone on $terminale (Com1); its command log is $registro"
fi

"$build/src/quorna" "$@"
