#!/usr/bin/env bash
# Builds Quorna and runs every test.
set -euo pipefail
radice=$(cd "$(dirname "$0")" && pwd)
"$radice/scripts/prepara.sh"
cd "${QUORNA_BUILD_DIR:-$radice/build}"
ctest --output-on-failure -j "${QUORNA_JOBS:-$(nproc)}"
