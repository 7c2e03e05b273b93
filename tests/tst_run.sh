#!/bin/bash
# ./run.sh as a user meets it, on a build folder that holds the program and the simulated phone
# and needs nothing installed or built. Without a graphical session it says so as the program
# does, before it installs or builds anything; it announces a phone only once one answers, and
# says why where none could start; a hang-up of its terminal and Ctrl+C stop the phone it
# started, whose link goes with it, and add nothing to what it printed.
#
#   tests/tst_run.sh S25SIM QUORNA
set -u
sorgenti=$(cd "$(dirname "$0")/.." && pwd)
cartella=$(mktemp -d "${TMPDIR:-/tmp}/quorna-run.XXXXXX") || exit 1
trap 'rm -rf "$cartella"' EXIT
esito=0
sbagliato() {
    echo "FAIL: $*"
    esito=1
}

# Every package is there and the build steps have nothing to do.
mkdir -p "$cartella/comandi" "$cartella/build/src" "$cartella/build/tools/s25sim"
ln -s /bin/true "$cartella/comandi/cmake"
ln -s /bin/true "$cartella/comandi/ninja"
printf '#!/bin/sh\nfor p; do echo "ii $p"; done\n' >"$cartella/comandi/dpkg-query"
touch "$cartella/build/build.ninja"
ln -s "$1" "$cartella/build/tools/s25sim/s25sim"
ln -s "$2" "$cartella/build/src/quorna"
chmod +x "$cartella/comandi/dpkg-query"
export PATH="$cartella/comandi:$PATH" QUORNA_BUILD_DIR="$cartella/build" TMPDIR="$cartella"
unset QUORNA_COM1

# No session, or a platform named, in any case as Qt takes it, whose display is not set or whose
# socket is not there; started as ./run.sh and as sh run.sh.
for variabili in "" QT_QPA_PLATFORM=xcb QT_QPA_PLATFORM=XCB QT_QPA_PLATFORM=wayland \
    "QT_QPA_PLATFORM=Wayland-EGL;xcb" "-u XDG_RUNTIME_DIR QT_QPA_PLATFORM=wayland" \
    WAYLAND_DISPLAY=wayland-9; do
    senza=(env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM $variabili)
    atteso=$("${senza[@]}" "$2" 2>&1)
    for shell in "" sh; do
        detto=$("${senza[@]}" timeout 10 $shell "$sorgenti/run.sh" 2>&1)
        stato=$?
        if [ -z "$atteso" ] || [ "$detto" != "$atteso" ] || [ $stato -ne 1 ] \
            || [ -e "$cartella/build/.pacchetti-presenti" ]; then
            sbagliato "without a session${variabili:+ for $variabili}${shell:+ under $shell}, status $stato: $detto"
        fi
    done
done

# Each in a process group of its own, as a terminal's job; the program past its language dialog
# and the splash, started once it holds its lock, and without the headless platform's warnings.
mkdir -p "$XDG_CONFIG_HOME/Quorna"
printf '[%%General]\nLanguage=1\nSplashScreen=1\n' >"$XDG_CONFIG_HOME/Quorna/Quorna.conf"
export QT_LOGGING_RULES=default.warning=false
set -m
uid=$(id -u)
registro="$cartella/s25sim-$uid.log"

# The phone answers an AT at its link.
risponde() {
    local riga
    exec 3<>"$1" || return 1
    printf 'AT\r' >&3
    while read -r -t 5 riga <&3; do
        [[ $riga == OK* ]] && break
    done
    exec 3<&-
    [[ $riga == OK* ]]
}

# What an earlier run or another user left at the phone's names. A log of the user's own, readable
# by all, is made afresh. A folder, which no user can take (root neither), stands for another
# user's file, link or folder in /tmp: at the log's name, it leaves the log to a fresh file beside
# it; at the link's name, it keeps the phone from starting, and run.sh says why and starts the
# program without it. A hang-up of the terminal or Ctrl+C then stops the phone, whose link goes
# with it, and adds nothing to what run.sh printed.
for caso in "HUP log" "INT log-folder" "HUP link-folder"; do
    read -r segnale lasciato <<<"$caso"
    rm -rf "$registro" "$XDG_RUNTIME_DIR/quorna.lock"
    prima=:
    case $lasciato in
        log) echo "an earlier run" >"$registro" && chmod 644 "$registro" ;;
        log-folder) mkdir -p "$registro/dentro" ;;
        link-folder) prima='mkdir "$TMPDIR/s25sim-$(id -u)-$$"' ;;
    esac
    # run.sh goes on in the process of the shell that makes the folder, and with its number.
    bash -c "$prima"' && exec "$0"' "$sorgenti/run.sh" >"$cartella/detto" 2>&1 &
    gruppo=$!
    collegamento="$cartella/s25sim-$uid-$gruppo"
    for ((i = 0; i < 300; i++)); do
        [ -e "$XDG_RUNTIME_DIR/quorna.lock" ] && break
        sleep 0.1
    done
    annuncio="Simulated S25 phone on $collegamento (Com1); its command log is"
    case $lasciato in
        log) atteso="$annuncio $registro" ;;
        log-folder) atteso="$annuncio $cartella/s25sim-$uid.??????" ;;
        link-folder) atteso="The simulated S25 phone could not start (s25sim: cannot link $collegamento: File exists); Quorna starts without it." ;;
    esac
    [ "$lasciato" = link-folder ] || risponde "$collegamento" || sbagliato "$caso: no phone answers at the link"
    kill -s "$segnale" -- -"$gruppo"
    wait "$gruppo" 2>/dev/null
    stato=$?
    [ $stato -eq $((128 + $(kill -l "$segnale"))) ] || sbagliato "$caso: status $stato"
    [ -L "$collegamento" ] && sbagliato "$caso: the phone's link is left"
    # The program that the signal ended is still tearing itself down for a moment after run.sh
    # is gone, on a loaded machine for some tens of milliseconds; then init reaps it.
    for ((i = 0; i < 50; i++)); do
        pgrep -g "$gruppo" -r R,S,D,T >/dev/null || break
        sleep 0.1
    done
    rimasti=$(pgrep -l -g "$gruppo" -r R,S,D,T) && sbagliato "$caso: left running: $rimasti"
    detto=$(<"$cartella/detto")
    [[ $detto == $atteso ]] || sbagliato "$caso: $detto"
    [ "$lasciato" = link-folder ] && continue
    # The phone's log holds what the user sends: for the user alone, and never what was there.
    usato=${detto##* }
    [ -f "$usato" ] && [ "$(stat -c %a "$usato")" = 600 ] \
        || sbagliato "$caso: the phone's log $usato is no file for the user alone"
    grep -qs "an earlier run" "$usato" && sbagliato "$caso: the phone's log was written into"
    [ "$lasciato" = log-folder ] && { [ -d "$registro/dentro" ] || sbagliato "$caso: the folder went"; }
done
exit $esito
