#!/usr/bin/env bash
# Checks Tessivar's windows under a real X server with a window manager
# (openbox), as a user would meet them:
#   - on laptop screens of 1280x720 and 1366x768, with no placement saved and
#     with the old one-column window's: the start screen comes up; Return
#     shows the main window titled "Tessivar", whose frame (title bar
#     included) lies wholly on the screen; a mouse click on 作成開始 asks the
#     confirmation (answered No); Alt+S runs it (はい, OK to the count); then,
#     with no click, Alt+F X (ﾌｧｲﾙ > 終了) closes it with status 0;
#   - with an empty CSV_IN, Return on the start screen (after the message)
#     ends the program without showing the main window.
# Installs Xvfb, xdotool, openbox and the X utilities when missing; not part
# of ./test.sh. Usage: scripts/check-windows-x11.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
scripts/install-deps.sh xvfb xdotool openbox x11-utils
work=$(mktemp -d)
display=:$((90 + RANDOM % 9))
export DISPLAY=$display XDG_CONFIG_HOME=$work/config

servers=()
stop_display() {
  for pid in "${servers[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${servers[@]}"; do wait "$pid" 2>/dev/null || true; done
  servers=()
}
trap 'stop_display; rm -rf "$work"' EXIT
start_display() {  # WIDTHxHEIGHT: a new X server of that size, with a window manager
  stop_display
  Xvfb "$display" -screen 0 "$1x24" -dpi 96 -nolisten tcp >/dev/null 2>&1 & servers+=($!)
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  openbox >/dev/null 2>&1 & servers+=($!)
  sleep 1
}

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
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
  xdotool key --delay 300 "$@"
}
fail() { echo "FAIL: $*"; exit 1; }

# The frame of a window: "LEFT TOP WIDTH HEIGHT", title bar and borders
# included (the window manager's _NET_FRAME_EXTENTS around the window), then
# the window's inside: "WIDTH HEIGHT LEFT TOP".
frame_of() {
  local X Y WIDTH HEIGHT extents left right top bottom
  # xwininfo, not xdotool: Debian 12's xdotool counts the frame in twice.
  read -r X Y WIDTH HEIGHT < <(xwininfo -id "$1" | awk -F: '/Absolute upper-left X/ {x = $2}
    /Absolute upper-left Y/ {y = $2} /^ *Width/ {w = $2} /^ *Height/ {h = $2} END {print x, y, w, h}')
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ' ')
  IFS=, read -r left right top bottom <<<"${extents:-0,0,0,0}"
  echo "$((X - left)) $((Y - top)) $((WIDTH + left + right)) $((HEIGHT + top + bottom)) $WIDTH $HEIGHT $X $Y"
}

# Each screen with no placement saved, and with the one the old one-column
# window (658x787) left behind.
for run in 1280x720:fresh 1280x720:old 1366x768:fresh 1366x768:old; do
  screen=${run%:*} placement=${run#*:}
  [ "$placement" = fresh ] && start_display "$screen"
  rm -rf "$XDG_CONFIG_HOME" "$work/app/CSV_OUT"
  if [ "$placement" = old ]; then
    mkdir -p "$XDG_CONFIG_HOME/Tessivar"
    printf '[Settings]\nMainLeft=0\nMainTop=0\nMainWidth=658\nMainHeight=787\n' >"$XDG_CONFIG_HOME/Tessivar/Tessivar.conf"
  fi
  screen="$screen ($placement placement)"
  screen_width=${run%%x*} screen_height=${run#*x}
  screen_height=${screen_height%:*}
  "$work/app/Tessivar" --home "$work/app" 2>/dev/null & program=$!
  wait_for_windows 1
  start_screen=$(windows)
  press Return
  sleep 1
  main=$(windows)
  [ "$(windows | wc -l)" -eq 1 ] && [ "$main" != "$start_screen" ] || fail "Return did not replace the start screen by the main window"
  [ "$(xdotool getwindowname "$main")" = Tessivar ] || fail "main window title"
  read -r left top width height inside_width inside_height inside_x inside_y < <(frame_of "$main")
  echo "$screen: main window frame ${width}x${height} at $left,$top"
  [ "$left" -ge 0 ] && [ "$top" -ge 0 ] && [ $((left + width)) -le "$screen_width" ] &&
    [ $((top + height)) -le "$screen_height" ] || fail "the main window's frame leaves the screen: $screen"

  # 作成開始 lies at the window's bottom right, left of 終 了 (120 wide, 8 apart, 12 from the edges).
  xdotool mousemove --sync $((inside_x + inside_width - 12 - 120 - 8 - 60)) $((inside_y + inside_height - 12 - 17)) click 1
  wait_for_windows 2  # the confirmation
  press Escape        # いいえ
  wait_for_windows 1
  kill -0 $program 2>/dev/null || fail "the click ended the program"
  echo "ok: $screen: 作成開始 clicked, its question answered No"

  # A run (Alt+S, はい), its count acknowledged: then the keys go to the main
  # window again, without a click.
  xdotool key alt+s
  wait_for_windows 2
  press alt+y
  wait_for_windows 3  # the count over the wait window
  press Return
  wait_for_windows 1
  [ -s "$work/app/CSV_OUT/ZIP.TXT" ] || fail "the run wrote no ZIP.TXT"
  xdotool key --delay 300 alt+f x
  for _ in $(seq 25); do kill -0 $program 2>/dev/null || break; sleep 0.2; done
  kill -0 $program 2>/dev/null && fail "after the run the keyboard did not reach the main window"
  wait $program && status=0 || status=$?
  [ "$status" -eq 0 ] || fail "closing the main window ended with status $status"
  echo "ok: $screen: a run by Alt+S, then ﾌｧｲﾙ > 終了 by the keyboard alone, closed with status 0"
done

"$work/app/Tessivar" --home "$work/empty" 2>/dev/null & program=$!
wait_for_windows 2  # the start screen and the message about the empty CSV_IN
press Return
wait_for_windows 1
start_screen=$(windows)
press Return
wait $program && status=0 || status=$?
[ "$status" -eq 1 ] || fail "the stopped start screen ended with status $status"
echo "ok: empty CSV_IN, Return ended the program (status 1) without a main window"
