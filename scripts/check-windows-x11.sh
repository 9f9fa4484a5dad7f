#!/usr/bin/env bash
# Checks Tessivar's windows under a real X server, as a user would meet them:
#   - with data in CSV_IN the start screen comes up; Return shows the main
#     window titled "Tessivar"; closing it (ﾌｧｲﾙ > 終了) ends with status 0;
#   - with an empty CSV_IN, Return on the start screen (after the message)
#     ends the program without showing the main window.
# Needs Xvfb and xdotool (apt-get install xvfb xdotool); not part of ./test.sh.
# Usage: scripts/check-windows-x11.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d)
display=:$((90 + RANDOM % 9))

Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display XDG_CONFIG_HOME=$work/config
sleep 1

cmake --install "$build" --prefix "$work/app" >/dev/null
mkdir -p "$work/app/CSV_IN" "$work/empty"
cp tests/data/japanpost/jigyosyo.zip "$work/app/CSV_IN/"  # as downloaded: start-up reads the zip

# The visible windows titled "Tessivar", oldest first.
windows() { xdotool search --onlyvisible --name '^Tessivar$' 2>/dev/null || true; }
wait_for_windows() {  # COUNT: waits until that many are visible
  for _ in $(seq 50); do [ "$(windows | wc -l)" -eq "$1" ] && return 0; sleep 0.2; done
  echo "FAIL: expected $1 window(s), found $(windows | wc -l)"; exit 1
}
press() {  # KEY...: on the newest window
  local window; window=$(windows | tail -1)
  xdotool windowfocus --sync "$window"; xdotool key --delay 300 "$@"
}
fail() { echo "FAIL: $*"; exit 1; }

"$work/app/Tessivar" --home "$work/app" 2>/dev/null & program=$!
wait_for_windows 1
start_screen=$(windows)
press Return
sleep 1
main=$(windows)
[ "$(windows | wc -l)" -eq 1 ] && [ "$main" != "$start_screen" ] || fail "Return did not replace the start screen by the main window"
[ "$(xdotool getwindowname "$main")" = Tessivar ] || fail "main window title"
press alt+f x
wait $program && status=0 || status=$?
[ "$status" -eq 0 ] || fail "closing the main window ended with status $status"
echo "ok: start screen, Return, main window \"Tessivar\", closed with status 0"

"$work/app/Tessivar" --home "$work/empty" 2>/dev/null & program=$!
wait_for_windows 2  # the start screen and the message about the empty CSV_IN
press Return
wait_for_windows 1
start_screen=$(windows)
press Return
wait $program && status=0 || status=$?
[ "$status" -eq 1 ] || fail "the stopped start screen ended with status $status"
echo "ok: empty CSV_IN, Return ended the program (status 1) without a main window"
