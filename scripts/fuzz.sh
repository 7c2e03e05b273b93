#!/usr/bin/env bash
# The fuzz targets of fuzz/ (one per input from outside; listed in fuzz/bersagli.txt).
#
#   scripts/fuzz.sh TARGET SECONDS        a campaign: fuzzes TARGET for SECONDS, adds to
#                                         fuzz/corpus/TARGET what it found that reaches new code
#                                         (merged, smallest inputs first), keeps the inputs that
#                                         broke something in fuzz/trovati/TARGET, and prints
#                                         the executions and the findings
#   scripts/fuzz.sh --ripeti [TARGET...]  runs each target once over its corpus, without
#                                         fuzzing: what CI does, so a fixed fault stays fixed
#   scripts/fuzz.sh --copertura [TARGET...]
#                                         line coverage of each target's own sources over its
#                                         corpus, in a separate build without sanitizers
#   scripts/fuzz.sh --tutti SECONDS       a campaign of every target in turn, then the coverage
#                                         of each: executions, coverage and findings in a table
#   scripts/fuzz.sh --semina              writes the seeds from the simulated phone's replies
#                                         and the program's files into the corpora
#
# Builds in build-fuzz/ (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and
# build-fuzz-copertura/, installing clang where it is missing. QUORNA_JOBS sets the build's
# parallelism, QUORNA_FUZZ_JOBS the campaign's (1 by default).
set -euo pipefail

radice=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$radice"
costruzione="${QUORNA_FUZZ_BUILD_DIR:-$radice/build-fuzz}"
copertura="${QUORNA_FUZZ_COPERTURA_DIR:-$radice/build-fuzz-copertura}"
lavori="${QUORNA_JOBS:-$(nproc)}"
# No input of any target needs a large block of memory: one this large is a picture or a table
# sized from what a header claims, which must be refused before it is built.
memoria_mb=32

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$radice/fuzz/lsan.supp:print_suppressions=0}"
export QT_QPA_PLATFORM=offscreen
source "$radice/scripts/pacchetti.sh"

bersagli() {
    grep -E '^[a-z]' fuzz/bersagli.txt | cut -d'|' -f1 | tr -d ' '
}

sorgenti_di() {
    grep -E "^$1 *\|" fuzz/bersagli.txt | cut -d'|' -f3
}

controlla_bersagli() {
    local b
    for b in "$@"; do
        bersagli | grep -qx "$b" || { echo "Unknown target: $b (see fuzz/bersagli.txt)" >&2; exit 2; }
    done
}

# Configures and builds a fuzzing tree; the extra arguments go to CMake.
costruisci() {
    local cartella=$1
    shift
    installa_mancanti "${pacchetti_fuzz[@]}"
    local lanciatore=() compilatore
    command -v ccache >/dev/null 2>&1 && lanciatore=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    compilatore=$(command -v clang++ || command -v clang++-14)
    mkdir -p "$cartella"
    # The libraries' warnings under clang are not this build's concern: only a failure is shown.
    if ! { cmake -S "$radice" -B "$cartella" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
               -DCMAKE_CXX_COMPILER="$compilatore" -DQUORNA_FUZZ=ON "${lanciatore[@]}" "$@" \
           && cmake --build "$cartella" -j "$lavori"; } >"$cartella/costruzione.log" 2>&1; then
        tail -n 60 "$cartella/costruzione.log" >&2
        echo "The fuzzing build in $cartella failed (log: $cartella/costruzione.log)" >&2
        exit 1
    fi
}

# Runs a target over every file of its corpus once; fails on the first input that breaks it.
ripeti() {
    local b=$1 voci
    mapfile -t voci < <(find "fuzz/corpus/$b" -type f | sort)
    if [ ${#voci[@]} -eq 0 ]; then
        echo "$b: empty corpus" >&2
        return 1
    fi
    if ! "$costruzione/fuzz/fuzz_$b" -timeout=60 -malloc_limit_mb="$memoria_mb" "${voci[@]}" \
        >"$costruzione/ripeti-$b.log" 2>&1; then
        tail -n 40 "$costruzione/ripeti-$b.log" >&2
        echo "$b: an input of its corpus breaks it (log: $costruzione/ripeti-$b.log)" >&2
        return 1
    fi
    printf '%-22s %3d inputs replayed\n' "$b" "${#voci[@]}"
}

# A campaign; a new input joins the corpus only when it reaches code no entry reaches, so the
# corpus stays small. Prints "executions findings" on its last line for --tutti.
campagna() {
    local b=$1 secondi=$2
    local corpus="fuzz/corpus/$b" trovati="fuzz/trovati/$b"
    local nuovi registro
    nuovi=$(mktemp -d)
    registro="$costruzione/campagna-$b.log"
    mkdir -p "$corpus" "$trovati"
    local prima
    prima=$(find "$trovati" -type f | wc -l)
    # Fork mode goes on after an input that breaks the target, so one known fault does not end
    # the campaign; every such input is kept under fuzz/trovati/.
    "$costruzione/fuzz/fuzz_$b" -fork="${QUORNA_FUZZ_JOBS:-1}" -ignore_crashes=1 \
        -ignore_timeouts=1 -ignore_ooms=1 -timeout=10 -malloc_limit_mb="$memoria_mb" \
        -max_total_time="$secondi" \
        -artifact_prefix="$trovati/" "$nuovi" "$corpus" >"$registro" 2>&1 || true
    local prima_corpus dopo_corpus
    prima_corpus=$(find "$corpus" -type f | wc -l)
    "$costruzione/fuzz/fuzz_$b" -merge=1 -use_counters=0 -timeout=10 -malloc_limit_mb="$memoria_mb" \
        "$corpus" "$nuovi" >>"$registro" 2>&1 || true
    dopo_corpus=$(find "$corpus" -type f | wc -l)
    rm -rf "$nuovi"
    local esecuzioni trovate
    esecuzioni=$(grep -oE '^#[0-9]+: cov' "$registro" | tail -n 1 | tr -dc '0-9')
    trovate=$(($(find "$trovati" -type f | wc -l) - prima))
    echo "$b: ${esecuzioni:-0} executions in ${secondi}s, $((dopo_corpus - prima_corpus)) new" \
         "corpus entries, $trovate new findings in $trovati (log: $registro)"
    echo "${esecuzioni:-0} $trovate"
}

escluse_di() {
    grep -E "^$1 *\|" fuzz/bersagli.txt | cut -d'|' -f4- | tr -d ' '
}

# The coverage tree records absolute source paths (no ccache base folder), so that llvm-cov can
# pick a target's own sources.
costruisci_copertura() {
    (
        unset CCACHE_BASEDIR
        costruisci "$copertura" -DQUORNA_FUZZ_COPERTURA=ON
    )
}

# Line coverage of the target's sources over its corpus, less the functions bersagli.txt leaves
# out; prints "covered/lines percent".
copri() {
    local b=$1 profili eseguibile="$copertura/fuzz/fuzz_$1"
    profili=$(mktemp -d)
    LLVM_PROFILE_FILE="$profili/%p.profraw" "$eseguibile" -timeout=60 \
        $(find "fuzz/corpus/$b" -type f) >/dev/null 2>&1 || true
    llvm-profdata-14 merge -sparse "$profili"/*.profraw -o "$profili/tutto.profdata"
    local fonti=() s
    for s in $(sorgenti_di "$b"); do fonti+=("$radice/$s"); done
    local righe mancanti escluse
    # Columns of the TOTAL row: regions (3), functions (3), lines, missed lines, ...
    read -r righe mancanti < <(llvm-cov-14 report "$eseguibile" \
        -instr-profile="$profili/tutto.profdata" "${fonti[@]}" | awk '$1 == "TOTAL" { print $8, $9 }')
    escluse=$(escluse_di "$b")
    if [ -n "$escluse" ]; then
        # A mangled name holds each name after its length: 10LeggiTrasf is LeggiTrasf and no
        # longer name that contains it. A lambda's lines are also its function's: counted once.
        local nomi righe_escluse mancanti_escluse
        nomi=$(echo "$escluse" | tr '|' '\n' | awk '{ printf "%s%d%s", (NR > 1 ? "|" : ""), length($0), $0 }')
        read -r righe_escluse mancanti_escluse < <(llvm-cov-14 show "$eseguibile" \
            -instr-profile="$profili/tutto.profdata" -name-regex="$nomi" "${fonti[@]}" \
            | awk -F'|' 'NF >= 3 && $2 ~ /[0-9]/ && !(($1 "|" $3) in visti) {
                             visti[$1 "|" $3] = 1; n++; c = $2; gsub(/ /, "", c); if (c == "0") m++
                         } END { print n + 0, m + 0 }')
        righe=$((righe - righe_escluse))
        mancanti=$((mancanti - mancanti_escluse))
    fi
    rm -rf "$profili"
    local coperte=$((righe - mancanti))
    echo "$coperte/$righe $(awk -v c="$coperte" -v r="$righe" 'BEGIN { printf "%.1f%%", r ? 100 * c / r : 0 }')"
}

uso() {
    sed -n '2,21p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
}

[ $# -ge 1 ] || uso
case "$1" in
--ripeti)
    shift
    [ $# -gt 0 ] || set -- $(bersagli)
    controlla_bersagli "$@"
    costruisci "$costruzione"
    falliti=0
    for b in "$@"; do ripeti "$b" || falliti=1; done
    exit $falliti
    ;;
--copertura)
    shift
    [ $# -gt 0 ] || set -- $(bersagli)
    controlla_bersagli "$@"
    costruisci_copertura
    for b in "$@"; do
        printf '%-22s %s\n' "$b" "$(copri "$b")"
    done
    ;;
--tutti)
    [ $# -eq 2 ] || uso
    costruisci "$costruzione"
    costruisci_copertura
    riepilogo=()
    for b in $(bersagli); do
        read -r esecuzioni trovate < <(campagna "$b" "$2" | tee /dev/stderr | tail -n 1)
        riepilogo+=("$(printf '%-22s %12s %16s %9s' "$b" "$esecuzioni" "$(copri "$b")" "$trovate")")
    done
    printf '%-22s %12s %16s %9s\n' target executions "line coverage" findings
    printf '%s\n' "${riepilogo[@]}"
    ;;
--semina)
    costruisci "$costruzione"
    ASAN_OPTIONS=detect_leaks=0 "$costruzione/fuzz/fuzz_semina" "$radice/fuzz/corpus"
    echo "Seeds written to fuzz/corpus/."
    ;;
-*)
    uso
    ;;
*)
    [ $# -eq 2 ] || uso
    controlla_bersagli "$1"
    costruisci "$costruzione"
    campagna "$1" "$2" | head -n 1
    ;;
esac
