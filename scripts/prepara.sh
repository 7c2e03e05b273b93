#!/usr/bin/env bash
# Shared by run.sh and test.sh: installs the Debian packages Quorna needs when any is missing,
# then configures and builds the project in build/.
set -euo pipefail

radice=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
pacchetti=(g++ cmake ninja-build qt6-base-dev qt6-serialport-dev qt6-translations-l10n
           fonts-dejavu-core xvfb xauth openbox x11-utils)

mancanti=()
for p in "${pacchetti[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || mancanti+=("$p")
done
if [ ${#mancanti[@]} -gt 0 ]; then
    echo "Installing: ${mancanti[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${mancanti[@]}"
fi

build="${QUORNA_BUILD_DIR:-$radice/build}"
cmake -S "$radice" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${QUORNA_BUILD_TYPE:-RelWithDebInfo}" \
      ${QUORNA_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j "${QUORNA_JOBS:-$(nproc)}"
