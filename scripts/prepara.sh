#!/usr/bin/env bash
# Shared by run.sh and test.sh: installs the Debian packages Quorna needs when any is missing,
# then configures and builds the project in build/.
set -euo pipefail

radice=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$radice/scripts/pacchetti.sh"
installa_mancanti g++ cmake ninja-build qt6-base-dev qt6-serialport-dev qt6-translations-l10n \
    fonts-dejavu-core xvfb xauth openbox x11-utils

build="${QUORNA_BUILD_DIR:-$radice/build}"
cmake -S "$radice" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${QUORNA_BUILD_TYPE:-RelWithDebInfo}" \
      ${QUORNA_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j "${QUORNA_JOBS:-$(nproc)}"
