#!/usr/bin/env bash
# Shared by run.sh, test.sh and schermate.sh: installs the Debian packages Quorna needs when any
# is missing, then configures and builds the project in build/.
#
#   scripts/prepara.sh              everything: the program, the simulated phone, the tests, the
#                                   benchmarks and the tools, with what the tests need to run
#   scripts/prepara.sh --programma  the program and the simulated phone only
set -euo pipefail

# Each process run.sh runs before the window delays the start: the shell finds its folder itself.
cartella=${BASH_SOURCE[0]%/*}
[ "$cartella" = "${BASH_SOURCE[0]}" ] && cartella=.
CDPATH='' cd -- "$cartella/.." && radice=$PWD && cd -- "$OLDPWD"
build="${QUORNA_BUILD_DIR:-$radice/build}"

# qt6-wayland opens the windows on a Wayland desktop; the program looks for an X server with
# libxcb before Qt starts.
pacchetti=(g++ cmake ninja-build qt6-base-dev qt6-serialport-dev qt6-translations-l10n
           qt6-wayland libxcb1-dev fonts-dejavu-core)
bersagli=()
if [ "${1:-}" = "--programma" ]; then
    bersagli=(quorna s25sim)
else
    # The window-manager tests and the screenshots run on Xvfb with openbox, read by xprop.
    pacchetti+=(xvfb xauth openbox x11-utils)
fi

# A start on a machine where dpkg changed nothing since the packages were last found asks dpkg
# nothing: each query costs a good part of a start.
presenti="$build/.pacchetti-presenti"
gia_presenti() {
    [ -f "$presenti" ] && [ "$presenti" -nt /var/lib/dpkg/status ] || return 1
    local elenco p
    elenco=" $(<"$presenti") "
    for p in "${pacchetti[@]}"; do
        [[ $elenco == *" $p "* ]] || return 1
    done
}
if ! gia_presenti; then
    source "$radice/scripts/pacchetti.sh"
    installa_mancanti "${pacchetti[@]}"
    mkdir -p "$build"
    echo "${pacchetti[*]}" >"$presenti"
fi

# Once configured, the build tree runs CMake again by itself when a CMakeLists.txt changes: CMake
# is called only for a new tree or a configuration other than the last one.
configurazione=(-G Ninja -DCMAKE_BUILD_TYPE="${QUORNA_BUILD_TYPE:-RelWithDebInfo}"
                ${QUORNA_CMAKE_ARGS:-})
ricordata="$build/.configurazione"
if [ ! -f "$build/build.ninja" ]; then
    echo "Building Quorna in $build; the first build takes some minutes."
fi
if [ ! -f "$build/build.ninja" ] || [ ! -f "$ricordata" ] \
    || [ "$(<"$ricordata")" != "${configurazione[*]}" ]; then
    cmake -S "$radice" -B "$build" "${configurazione[@]}" >/dev/null
    echo "${configurazione[*]}" >"$ricordata"
fi
# Without QUORNA_JOBS, ninja runs as many jobs as there are processors, and a few more.
ninja -C "$build" ${QUORNA_JOBS:+-j "$QUORNA_JOBS"} "${bersagli[@]}"
