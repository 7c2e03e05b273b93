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

senza=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
atteso=$("${senza[@]}" "$2" 2>&1)
detto=$("${senza[@]}" timeout 10 "$sorgenti/run.sh" 2>&1)
stato=$?
if [ "$detto" != "$atteso" ] || [ $stato -ne 1 ] || [ -e "$cartella/build/.pacchetti-presenti" ]
then
    sbagliato "without a session, status $stato: $detto"
fi

# Each in a process group of its own, as a terminal's job; the program past its language dialog
# and the splash, started once it holds its lock, and without the headless platform's warnings.
mkdir -p "$XDG_CONFIG_HOME/Quorna"
printf '[%%General]\nLanguage=1\nSplashScreen=1\n' >"$XDG_CONFIG_HOME/Quorna/Quorna.conf"
export QT_LOGGING_RULES=default.warning=false
set -m
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
    # The program that the signal ended may wait a moment for init to reap it.
    pgrep -g "$gruppo" -r R,S,D,T >/dev/null && sbagliato "$segnale: a process of run.sh is left"
    atteso="Simulated S25 phone on $collegamento (Com1); its command log is $cartella/s25sim-$(id -u).log"
    [ "$(<"$cartella/detto")" = "$atteso" ] || sbagliato "$segnale: $(<"$cartella/detto")"
done
exit $esito
