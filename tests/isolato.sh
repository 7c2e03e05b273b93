#!/bin/bash
# Runs one test binary with its own empty configuration, data and runtime folders. The headless
# platform's warning that it cannot pass a window's size hints on, which every window shown
# raises, is kept out of the output: it would bury what a reader of a failure needs.
set -u
root=$(mktemp -d "${TMPDIR:-/tmp}/quorna-test.XXXXXX") || exit 1
trap 'rm -rf "$root"' EXIT INT TERM
mkdir -p "$root/config" "$root/data" "$root/runtime"
chmod 700 "$root/runtime"
XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data" XDG_RUNTIME_DIR="$root/runtime" \
QT_QPA_PLATFORM=offscreen QUORNA_TEST_ROOT="$root" "$@" 2>&1 \
    | grep --line-buffered -v -F 'This plugin does not support propagateSizeHints()'
exit "${PIPESTATUS[0]}"
