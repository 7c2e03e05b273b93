#!/usr/bin/env bash
# Builds Quorna and runs every test.
# Started as "sh test.sh", it goes on in bash, which it is written for.
if [ -z "${BASH_VERSION:-}" ]; then exec bash "$0" "$@"; fi
set -euo pipefail
radice=$(cd "$(dirname "$0")" && pwd)
"$radice/scripts/prepara.sh"
cd "${QUORNA_BUILD_DIR:-$radice/build}"
ctest --output-on-failure -j "${QUORNA_JOBS:-$(nproc)}"
