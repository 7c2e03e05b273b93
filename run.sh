#!/bin/bash
# Builds Quorna and starts it. Unless QUORNA_COM1 names a device, the simulated S25 phone is
# started on a pseudo-terminal and Com1 points at it, so Connect reaches a phone at once; where the
# phone cannot start, run.sh says why and starts the program without it. Only the program and the
# simulated phone are built here; test.sh builds the rest.
# Started as "sh run.sh", it goes on in bash, which it is written for.
if [ -z "${BASH_VERSION:-}" ]; then exec bash "$0" "$@"; fi
set -euo pipefail
# Each process started before the window delays it: bash is named without env, the shell finds
# its folder itself, and the build is checked in this same shell.
cartella=${0%/*}
[ "$cartella" = "$0" ] && cartella=.
CDPATH='' cd -- "$cartella" && radice=$PWD && cd -- "$OLDPWD"

# Without DISPLAY or WAYLAND_DISPLAY the program can open no window, nor on the platforms named
# (Qt takes their names in any case) where the display each needs is not set or its socket is not
# there: run.sh tells it as the program does, in the same words, before it installs or builds
# anything. Whether a display that is there answers is the program's to find.
mancante=
# What the program would try on Wayland, in `muto`, where no compositor can answer there; fails
# where one may.
wayland_muto() {
    [ -n "${WAYLAND_SOCKET+x}" ] && return 1
    local presa=${WAYLAND_DISPLAY:-wayland-0}
    if [ "${presa:0:1}" != / ]; then
        if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
            muto="the Wayland display $presa (XDG_RUNTIME_DIR is not set)"
            return 0
        fi
        presa=$XDG_RUNTIME_DIR/$presa
    fi
    [ -S "$presa" ] && return 1
    muto="the Wayland socket $presa"
}
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
    local elenco nome nomi=() muto provati=
    IFS=';' read -r -a elenco <<<"${piattaforme,,}"
    for nome in "${elenco[@]}"; do
        nome=${nome%%:*}
        [ -z "$nome" ] || nomi+=("$nome")
    done
    # None named: Qt's own choice, a Wayland compositor where WAYLAND_DISPLAY is set, else X.
    if [ ${#nomi[@]} -eq 0 ]; then
        [ -n "$schermo" ] && return
        if [ -z "${WAYLAND_DISPLAY:-}" ]; then
            mancante="neither DISPLAY nor WAYLAND_DISPLAY is set."
            return
        fi
        nomi=(wayland)
    fi
    for nome in "${nomi[@]}"; do
        case $nome in
            xcb)
                [ -n "$schermo" ] && return
                muto="the X display (DISPLAY is not set)"
                ;;
            wayland*) wayland_muto || return ;;
            *) return ;;
        esac
        provati+="${provati:+ nor at }$muto"
    done
    mancante="no display answers at $provati."
}
senza_sessione "$@"
if [ -n "$mancante" ]; then
    echo "Quorna needs a graphical desktop session: $mancante" >&2
    exit 1
fi

source "$radice/scripts/prepara.sh" --programma

# However run.sh ends, a hang-up of its terminal and Ctrl+C included, the phone is stopped and
# waited for, so that its link is gone with it.
simulatore=
ferma_simulatore() {
    kill "$simulatore" 2>/dev/null || true
    wait "$simulatore" 2>/dev/null || true
}
# Starts the simulated phone, and waits for the terminal it prints once its link is made and it
# answers there; where it could not start, fails with the reason in `motivo`.
avvia_simulatore() {
    # The log holds every number, name and message sent to the phone: mktemp makes it afresh,
    # for its user alone, without opening what is there; it then takes its usual name, unless
    # another user's file, link or folder holds that name, and keeps its own.
    local temporanea=${TMPDIR:-/tmp}
    registro=$(mktemp "$temporanea/s25sim-$UID.XXXXXX" 2>&1) || { motivo=$registro; return 1; }
    mv -fT -- "$registro" "$temporanea/s25sim-$UID.log" 2>/dev/null \
        && registro=$temporanea/s25sim-$UID.log
    terminale="$temporanea/s25sim-$UID-$$"
    coproc SIMULATORE {
        exec "$build/tools/s25sim/s25sim" --seed "$radice/tools/s25sim/demo.s25" --baud 19200 \
            --link "$terminale" 2>"$registro"
    }
    # bash forgets the phone's number and closes its output as soon as it has ended.
    simulatore=${SIMULATORE_PID:-}
    read -r -t 10 -u "${SIMULATORE[0]:-}" _ 2>/dev/null && return 0
    ferma_simulatore
    motivo=$(<"$registro")
    motivo=${motivo:-it did not answer within 10 seconds}
    return 1
}

if [ -z "${QUORNA_COM1:-}" ]; then
    trap ferma_simulatore EXIT
    if avvia_simulatore; then
        export QUORNA_COM1="$terminale"
        echo "Simulated S25 phone on $terminale (Com1); its command log is $registro"
    else
        echo "The simulated S25 phone could not start ($motivo); Quorna starts without it." >&2
    fi
fi

"$build/src/quorna" "$@"
