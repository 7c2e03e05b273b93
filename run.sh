#!/bin/bash
# Builds Quorna and starts it. Unless QUORNA_COM1 names a device, the simulated S25 phone is
# started on a pseudo-terminal and Com1 points at it, so Connect reaches a phone at once. Only the
# program and the simulated phone are built here; test.sh builds the rest.
# Started as "sh run.sh", it goes on in bash, which it is written for.
if [ -z "${BASH_VERSION:-}" ]; then exec bash "$0" "$@"; fi
set -euo pipefail
# Each process started before the window delays it: bash is named without env, the shell finds
# its folder itself, and the build is checked in this same shell.
cartella=${0%/*}
[ "$cartella" = "$0" ] && cartella=.
CDPATH='' cd -- "$cartella" && radice=$PWD && cd -- "$OLDPWD"

# Without DISPLAY or WAYLAND_DISPLAY the program can open no window, nor with X named as its
# platform and no DISPLAY: run.sh tells it as the program does, in the same words, before it
# installs or builds anything. Whether a display answers there is the program's to find.
mancante=
senza_sessione() {
    local argomento piattaforme=${QT_QPA_PLATFORM:-} schermo=${DISPLAY:-} opzione=
    for argomento; do
        case $opzione in
            platform) piattaforme=$argomento ;;
            display) schermo=$argomento ;;
        esac
        opzione=
        case $argomento in
            -platform | --platform) opzione=platform ;;
            -display | --display) opzione=display ;;
        esac
    done
    if [ -n "$piattaforme" ]; then
        if [ "${piattaforme%%:*}" = xcb ] && [ -z "$schermo" ]; then
            mancante="no display answers at the X display (DISPLAY is not set)."
        fi
    elif [ -z "$schermo${WAYLAND_DISPLAY:-}" ]; then
        mancante="neither DISPLAY nor WAYLAND_DISPLAY is set."
    fi
}
senza_sessione "$@"
if [ -n "$mancante" ]; then
    echo "Quorna needs a graphical desktop session: $mancante" >&2
    exit 1
fi

source "$radice/scripts/prepara.sh" --programma

if [ -z "${QUORNA_COM1:-}" ]; then
    registro="${TMPDIR:-/tmp}/s25sim-$UID.log"
    # The phone and the program start side by side: the program opens Com1 only on Connect, and
    # the phone links its terminal at this name long before the splash lets anyone click.
    terminale="${TMPDIR:-/tmp}/s25sim-$UID-$$"
    coproc SIMULATORE {
        # The log holds every number, name and message sent to the phone: it is made afresh for
        # its user alone, and never written into a file of its name that someone else left.
        umask 077
        rm -f -- "$registro" 2>/dev/null || true
        set -o noclobber
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
