#!/usr/bin/env bash
# Builds Quorna and starts it.
set -euo pipefail
radice=$(cd "$(dirname "$0")" && pwd)
"$radice/scripts/prepara.sh"
exec "${QUORNA_BUILD_DIR:-$radice/build}/src/quorna" "$@"
