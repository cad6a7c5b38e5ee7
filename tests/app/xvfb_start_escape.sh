#!/usr/bin/env bash
# Starts the real program on a virtual X display: the splash shows first, then
# the main window titled with the application title; Escape ends the program
# with status 0 and a settings file that holds all 23 keys.
set -euo pipefail
exe=$1
title="Vell3 Certified Mail"

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "cannot reach display $DISPLAY"

# A sender and a DUNS number already set and the registration answered: the
# first show asks nothing. Only a few keys are present before the run.
mkdir -p "$work/config"
printf '[Type]\nCompany=Ambervale\nBarCodeApp=0\n[YourAddress]\nLine1=Acme Legal LLP\nCity=Dayton\n[Values]\nCustID=12-345-6789\n' \
    >"$work/config/vell3.ini"

# libxkbcommon-x11 hands counted, unterminated names to strndup, which the
# sanitizer's strict string checks take for an overflow: off for this run only.
if [ -n "${ASAN_OPTIONS:-}" ]; then
    export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
fi

start=$(date +%s%N)
XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb "$exe" >"$work/app.log" 2>&1 &
app_pid=$!

# The splash: a visible window of the program that is not the main window.
splash_seen=""
main_id=""
for _ in $(seq 300); do
    kill -0 "$app_pid" 2>/dev/null || fail "the program ended early: $(cat "$work/app.log")"
    for id in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null || true); do
        name=$(xdotool getwindowname "$id" 2>/dev/null || true)
        if [ "$name" = "$title" ]; then
            main_id=$id
        elif [ -z "$splash_seen" ]; then
            splash_seen=$(date +%s%N)
        fi
    done
    [ -n "$main_id" ] && break
    sleep 0.1
done
[ -n "$main_id" ] || fail "no main window titled \"$title\""
shown=$(date +%s%N)
[ -n "$splash_seen" ] || fail "the main window showed without the splash before it"
elapsed_ms=$(((shown - start) / 1000000))
[ "$elapsed_ms" -ge 2900 ] || fail "the main window showed after ${elapsed_ms} ms, before the splash's 3000 ms"

# Without a window manager the focus is set directly; on a loaded machine the
# first key can arrive before the program took the focus, so Escape is sent
# again while the program still runs.
status=""
for attempt in 1 2 3; do
    xdotool windowfocus --sync "$main_id" 2>/dev/null || true
    sleep 0.5
    xdotool key --clearmodifiers Escape
    for _ in $(seq 50); do
        if ! kill -0 "$app_pid" 2>/dev/null; then
            set +e
            wait "$app_pid"
            status=$?
            set -e
            app_pid=""
            break 2
        fi
        sleep 0.1
    done
    echo "Escape not taken yet (attempt $attempt)" >&2
done
[ -n "$status" ] || fail "Escape did not end the program"
[ "$status" -eq 0 ] || fail "exit status $status: $(cat "$work/app.log")"

keys=$(grep -c '=' "$work/config/vell3.ini")
[ "$keys" -eq 23 ] || fail "the settings file holds $keys keys, not 23"
grep -q '^CustID=12-345-6789$' "$work/config/vell3.ini" || fail "CustID lost"
echo "main window after ${elapsed_ms} ms, exit status 0, 23 keys saved"
