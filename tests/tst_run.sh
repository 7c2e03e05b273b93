#!/bin/bash
# ./run.sh as a user meets it, on a build folder whose program stands in for Quorna beside the
# real simulated phone. Without a graphical session it says so as the program does, before it
# installs or builds anything.
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
printf '#!/bin/sh\nexec sleep 300\n' >"$cartella/build/src/quorna"
chmod +x "$cartella/comandi/dpkg-query" "$cartella/build/src/quorna"
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

exit $esito
