#!/usr/bin/env bash
# Formats every C++ source of the project with its .clang-format; with --check, only reports
# the files that are not formatted and fails when there is one.
set -euo pipefail
radice=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$radice"

source "$radice/scripts/pacchetti.sh"
installa_mancanti "${pacchetti_formato[@]}"

mapfile -t sorgenti < <(git ls-files -co --exclude-standard -- src tests tools bench fuzz \
                        | grep -E '\.(cpp|h)$')
if [ "${1:-}" = "--check" ]; then
    clang-format --dry-run --Werror "${sorgenti[@]}"
    echo "Format: ${#sorgenti[@]} files checked."
else
    clang-format -i "${sorgenti[@]}"
fi
