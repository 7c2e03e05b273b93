#!/bin/bash
# Builds Quorna and starts it. Unless QUORNA_COM1 names a device, the simulated S25 phone is
# started on a pseudo-terminal and Com1 points at it, so Connect reaches a phone at once. Only the
# program and the simulated phone are built here; test.sh builds the rest.
set -euo pipefail
# Each process started before the window delays it: bash is named without env, the shell finds
# its folder itself, and the build is checked in this same shell.
cartella=${0%/*}
[ "$cartella" = "$0" ] && cartella=.
CDPATH='' cd -- "$cartella" && radice=$PWD && cd -- "$OLDPWD"

# Without DISPLAY or WAYLAND_DISPLAY the program can open no window: run.sh tells it as the
# program does, in the same words, before it installs or builds anything. Whether a display
# answers there is the program's to find.
senza_sessione() {
    local argomento
    for argomento; do
        case $argomento in -platform | --platform) return 1 ;; esac
    done
    [ -z "${QT_QPA_PLATFORM:-}${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]
}
if senza_sessione "$@"; then
    echo "Quorna needs a graphical desktop session: neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
    exit 1
fi

source "$radice/scripts/prepara.sh" --programma

if [ -z "${QUORNA_COM1:-}" ]; then
    registro="${TMPDIR:-/tmp}/s25sim-$UID.log"
    # The phone and the program start side by side: the program opens Com1 only on Connect, and
    # the phone links its terminal at this name long before the splash lets anyone click.
    terminale="${TMPDIR:-/tmp}/s25sim-$UID-$$"
    coproc SIMULATORE {
        exec "$build/tools/s25sim/s25sim" --seed "$radice/tools/s25sim/demo.s25" --baud 19200 \
            --link "$terminale" 2>"$registro"
    }
    # bash forgets SIMULATORE_PID once the phone has ended, as it may have at a Ctrl+C. However
    # run.sh ends, a hang-up of its terminal and Ctrl+C included, the phone is stopped and waited
    # for, so that its link is gone with it.
    simulatore=$SIMULATORE_PID
    trap 'kill "$simulatore" 2>/dev/null || true; wait "$simulatore" 2>/dev/null || true' EXIT
    export QUORNA_COM1="$terminale"
    echo "Simulated S25 phone on $terminale (Com1); its command log is $registro"
fi

"$build/src/quorna" "$@"
