#!/bin/sh
# Runs one test binary with its own empty configuration, data and runtime folders.
set -u
root=$(mktemp -d "${TMPDIR:-/tmp}/quorna-test.XXXXXX") || exit 1
trap 'rm -rf "$root"' EXIT INT TERM
mkdir -p "$root/config" "$root/data" "$root/runtime"
chmod 700 "$root/runtime"
XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data" XDG_RUNTIME_DIR="$root/runtime" \
QT_QPA_PLATFORM=offscreen QUORNA_TEST_ROOT="$root" "$@"
