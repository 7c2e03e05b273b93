#!/bin/bash
# ./run.sh as a user meets it, on a build folder that holds the program and the simulated phone
# and needs nothing installed or built. Without a graphical session it says so as the program
# does, before it installs or builds anything; a hang-up of its terminal and Ctrl+C stop the
# phone it started, whose link goes with it, and add nothing to what it printed.
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
# A log left by an earlier run, readable by all, is not written into.
registro="$cartella/s25sim-$(id -u).log"
echo "an earlier run" >"$registro"
chmod 644 "$registro"
for segnale in HUP INT; do
    rm -f "$XDG_RUNTIME_DIR/quorna.lock"
    "$sorgenti/run.sh" >"$cartella/detto" 2>&1 &
    gruppo=$!
    collegamento="$cartella/s25sim-$(id -u)-$gruppo"
    for ((i = 0; i < 300; i++)); do
        [ -e "$XDG_RUNTIME_DIR/quorna.lock" ] && [ -L "$collegamento" ] && break
        sleep 0.1
    done
    [ -L "$collegamento" ] || sbagliato "$segnale: the phone made no link"
    kill -s "$segnale" -- -"$gruppo"
    wait "$gruppo" 2>/dev/null
    stato=$?
    [ $stato -eq $((128 + $(kill -l "$segnale"))) ] || sbagliato "$segnale: status $stato"
    [ -L "$collegamento" ] && sbagliato "$segnale: the phone's link is left"
    # The program that the signal ended is still tearing itself down for a moment after run.sh
    # is gone, on a loaded machine for some tens of milliseconds; then init reaps it.
    for ((i = 0; i < 50; i++)); do
        pgrep -g "$gruppo" -r R,S,D,T >/dev/null || break
        sleep 0.1
    done
    rimasti=$(pgrep -l -g "$gruppo" -r R,S,D,T) && sbagliato "$segnale: left running: $rimasti"
    atteso="Simulated S25 phone on $collegamento (Com1); its command log is $cartella/s25sim-$(id -u).log"
    [ "$(<"$cartella/detto")" = "$atteso" ] || sbagliato "$segnale: $(<"$cartella/detto")"
    # The phone's log holds what the user sends: for the user alone.
    [ "$(stat -c %a "$registro")" = 600 ] || sbagliato "$segnale: the phone's log is $(stat -c %a "$registro")"
    grep -q "an earlier run" "$registro" && sbagliato "$segnale: the phone's log was written into"
done
exit $esito
