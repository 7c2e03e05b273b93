#!/usr/bin/env bash
# How long ./run.sh takes, from its start, to show the program's first window: on an X server of
# its own with a window manager (tests/conxvfb.sh), with settings and a lock of its own
# (tests/isolato.sh), against the simulated phone that run.sh starts.
#
#   bench/avvio.sh [STARTS]   STARTS starts (default 10) on the build folder as it is, after one
#                             start that is not counted and builds what is missing
#   bench/avvio.sh --prima    one first start in an empty build folder of its own, without ccache:
#                             the build of what run.sh builds is part of the time
#
# Prints each time and the median, beside those of the program started alone, which no start
# through run.sh can beat; for a first start, the build steps that ninja ran and the build
# folder's size. Packages that run.sh would install are not counted: install them
# first.
set -euo pipefail
radice=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

uso() {
    sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
}

# One start of the command, timed to the first window the window manager lists; the command and
# all it started are ended afterwards.
misura() {
    local registro=$1 spia riga inizio fine=""
    shift
    local LC_NUMERIC=C # the times are read with a decimal point
    coproc SPIA { exec xprop -root -spy _NET_CLIENT_LIST; }
    spia=$SPIA_PID
    read -r -u "${SPIA[0]}" riga # the empty list before the start
    inizio=$EPOCHREALTIME
    setsid "$@" >"$registro" 2>&1 </dev/null &
    local avvio=$!
    while kill -0 "$avvio" 2>/dev/null; do
        if read -r -t 1 -u "${SPIA[0]}" riga && [[ $riga == *0x* ]]; then
            fine=$EPOCHREALTIME
            break
        fi
    done
    kill -- -"$avvio" 2>/dev/null || true
    wait "$avvio" 2>/dev/null || true
    kill "$spia" 2>/dev/null || true
    wait "$spia" 2>/dev/null || true
    if [ -z "$fine" ]; then
        tail -n 20 "$registro" >&2
        echo "$1 ended without showing a window (its output: $registro)" >&2
        return 1
    fi
    awk -v a="$inizio" -v b="$fine" 'BEGIN { printf "%.3f\n", b - a }'
}

mediana() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

# Runs inside the X server and the folders of its own.
if [ "${1:-}" = --dentro ]; then
    shift
    if [ -n "${QUORNA_SENZA_X:-}" ]; then
        echo "No X server with a window manager: $QUORNA_SENZA_X" >&2
        exit 1
    fi
    # A start after the first: the language is known, the splash comes first.
    mkdir -p "$XDG_CONFIG_HOME/Quorna"
    printf '[%%General]\nLanguage=1\n' >"$XDG_CONFIG_HOME/Quorna/Quorna.conf"
    registro="$QUORNA_TEST_ROOT/run.log"
    if [ "$1" = --prima ]; then
        tempo=$(misura "$registro" "$radice/run.sh")
        echo "first start, build included: $tempo s to the window"
        echo "build steps: $(grep -c '^\[' "$registro" || true);" \
             "build folder: $(du -sh "$QUORNA_BUILD_DIR" | cut -f1)"
        exit 0
    fi
    misura "$registro" "$radice/run.sh" >/dev/null
    programma="${QUORNA_BUILD_DIR:-$radice/build}/src/quorna"
    tempi=()
    soli=()
    # In turn, so that a change in the machine's load weighs on both alike.
    for ((n = 1; n <= $1; n++)); do
        tempi+=("$(misura "$registro" "$radice/run.sh")")
        soli+=("$(misura "$registro" "$programma")")
    done
    echo "run.sh, seconds to the window:            ${tempi[*]}"
    echo "the program alone, seconds to the window: ${soli[*]}"
    echo "median: run.sh $(printf '%s\n' "${tempi[@]}" | mediana) s," \
         "the program alone $(printf '%s\n' "${soli[@]}" | mediana) s"
    exit 0
fi

case "${1:-10}" in
--prima)
    build=$(mktemp -d "${TMPDIR:-/tmp}/quorna-avvio.XXXXXX")
    trap 'rm -rf "$build"' EXIT
    QUORNA_BUILD_DIR="$build" CCACHE_DISABLE=1 \
        "$radice/tests/isolato.sh" "$radice/tests/conxvfb.sh" "$0" --dentro --prima
    ;;
*[!0-9]* | 0) uso ;;
*) "$radice/tests/isolato.sh" "$radice/tests/conxvfb.sh" "$0" --dentro "${1:-10}" ;;
esac
