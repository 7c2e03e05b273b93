#!/bin/sh
# Runs one test on an X server of its own (Xvfb) with a window manager (openbox), for the tests
# whose subject is how a window manager places, frames and stacks the program's windows.
# Where no X server or window manager can start, the test runs without one and learns why from
# QUORNA_SENZA_X, so that it can skip with that reason.
set -u
cartella=$(mktemp -d "${TMPDIR:-/tmp}/quorna-x.XXXXXX") || exit 1
xvfb=""
wm=""
fine() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    [ -n "$wm" ] && wait "$wm" 2>/dev/null
    [ -n "$xvfb" ] && wait "$xvfb" 2>/dev/null
    rm -rf "$cartella"
}
trap fine EXIT
trap 'exit 1' INT TERM

# openbox manages a window: the root window lists it.
gestite() {
    xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q '0x'
}

avvia_x() {
    command -v Xvfb >/dev/null || { echo "Xvfb is not installed"; return 1; }
    command -v openbox >/dev/null || { echo "openbox is not installed"; return 1; }
    command -v xprop >/dev/null || { echo "xprop is not installed"; return 1; }
    command -v xev >/dev/null || { echo "xev is not installed"; return 1; }
    # Xvfb picks a free display itself and writes its number once it accepts connections.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$cartella/display" \
        >"$cartella/xvfb.log" 2>&1 &
    xvfb=$!
    i=0
    while [ ! -s "$cartella/display" ]; do
        i=$((i + 1))
        if [ $i -gt 300 ] || ! kill -0 "$xvfb" 2>/dev/null; then
            echo "Xvfb did not start: $(tail -n 3 "$cartella/xvfb.log" | tr '\n' ' ')"
            return 1
        fi
        sleep 0.1
    done
    DISPLAY=":$(head -n 1 "$cartella/display")"
    export DISPLAY
    HOME="$cartella" openbox --sm-disable >"$cartella/openbox.log" 2>&1 &
    wm=$!
    # openbox announces itself on the root window before it manages windows, and a window mapped
    # in between is never framed.
    i=0
    while ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        i=$((i + 1))
        if [ $i -gt 300 ] || ! kill -0 "$wm" 2>/dev/null; then
            echo "openbox did not start: $(tail -n 3 "$cartella/openbox.log" | tr '\n' ' ')"
            return 1
        fi
        sleep 0.1
    done
    # So it is ready only once it has framed a probe window. A probe still unframed after a while
    # is closed and another mapped, with more time each round.
    attesa=5
    totale=0
    while :; do
        xev -event structure -geometry 16x16+0+0 >/dev/null 2>&1 &
        sonda=$!
        incorniciata=no
        i=0
        while [ $i -lt $attesa ]; do
            gestite && { incorniciata=si; break; }
            if [ $totale -gt 600 ] || ! kill -0 "$wm" 2>/dev/null; then
                kill "$sonda" 2>/dev/null
                echo "openbox framed no window: $(tail -n 3 "$cartella/openbox.log" | tr '\n' ' ')"
                return 1
            fi
            sleep 0.1
            i=$((i + 1))
            totale=$((totale + 1))
        done
        kill "$sonda" 2>/dev/null
        wait "$sonda" 2>/dev/null
        [ $incorniciata = si ] && break
        attesa=$((attesa * 2))
    done
    # The probe is gone before the test maps its own windows.
    i=0
    while gestite && [ $i -lt 100 ]; do
        sleep 0.1
        i=$((i + 1))
    done
    return 0
}

if avvia_x >"$cartella/motivo"; then
    QT_QPA_PLATFORM=xcb "$@"
else
    QUORNA_SENZA_X=$(cat "$cartella/motivo") "$@"
fi
