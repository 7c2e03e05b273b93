# shellcheck shell=bash
# Sourced by the scripts that need Debian packages.
#
#   installa_mancanti PACKAGE...   installs those of the packages that are missing, through sudo
#                                  when not run as root. The terminal gets one line saying what
#                                  is installed and how much; apt's and dpkg's own output goes
#                                  to a log, whose end is shown only when the installation fails.

# What scripts/fuzz.sh builds with (clang, its fuzzing runtime and its coverage tools, beside the
# project's own build tools and libraries), and what scripts/formato.sh checks the format with.
pacchetti_fuzz=(clang-14 libclang-rt-14-dev llvm-14 cmake ninja-build qt6-base-dev
                qt6-serialport-dev)
pacchetti_formato=(clang-format)

# The packages of the list that are not installed, one a line.
pacchetti_mancanti() {
    # One query for the whole list: a package dpkg has never heard of is not in its answer.
    local installati
    installati=$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "$@" 2>/dev/null \
                 | awk '$1 == "ii" { sub(/:.*/, "", $2); print $2 }') || true
    local p
    for p in "$@"; do
        grep -qxF -- "$p" <<<"$installati" || echo "$p"
    done
}

# Shows the end of the log and says where the rest is.
installazione_fallita() {
    tail -n 30 "$2" >&2
    echo "Installing $1 failed; apt's whole output is in $2" >&2
    return 1
}

installa_mancanti() {
    local mancanti
    mapfile -t mancanti < <(pacchetti_mancanti "$@")
    [ ${#mancanti[@]} -eq 0 ] && return 0

    local registro="${TMPDIR:-/tmp}/quorna-pacchetti-$(id -u).log"
    local sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo_cmd=(sudo)
        sudo -p "Quorna needs Debian packages that are missing; password for %u to install them: " \
            -v || {
            echo "Install them as root, then try again: apt-get install --no-install-recommends" \
                 "${mancanti[*]}" >&2
            return 1
        }
    fi
    # sudo clears the environment (env_reset): the variables must be given to the command it runs.
    # apt speaks untranslated, so that its reckoning below can be read.
    local apt=("${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive LC_ALL=C apt-get
               -o Dpkg::Use-Pty=0)

    : >"$registro"
    "${apt[@]}" -q update >>"$registro" 2>&1 \
        || { installazione_fallita "${mancanti[*]}" "$registro"; return 1; }

    # apt's own reckoning, before anything is fetched.
    local stima nuovi scaricare spazio
    stima=$("${apt[@]}" --assume-no install --no-install-recommends "${mancanti[@]}" 2>&1) || true
    echo "$stima" >>"$registro"
    nuovi=$(sed -n 's/.* \([0-9]\+\) newly installed.*/\1/p' <<<"$stima")
    scaricare=$(sed -n 's/^Need to get \(.*\) of archives.*/\1/p' <<<"$stima")
    spazio=$(sed -n 's/^After this operation, \(.*\) of additional.*/\1/p' <<<"$stima")
    echo "Installing ${mancanti[*]} and what they need: ${nuovi:-?} packages," \
         "${scaricare:-?} to download, ${spazio:-?} on disk (apt's output goes to $registro)"

    "${apt[@]}" -y -q install --no-install-recommends "${mancanti[@]}" >>"$registro" 2>&1 \
        || { installazione_fallita "${mancanti[*]}" "$registro"; return 1; }
}
