#!/bin/sh
# The simulator on a bare X server (Xvfb, no window manager) with the SDL
# display, driven as a person would: it must be mapped on the screen and
# shaped, keep the place it was moved to after a key press and after Rotate,
# answer a right-click after Minimize, give the keyboard back to its window
# when its menu closes, and end on SIGINT with exit code 0 and its RAM file
# written back. Screenshots of each step are kept beside <shots>.
# Usage: xvfb_desktop.sh <Talvask> <kit bin folder> <screenshot folder>
talvask="$1"
bin="$2"
shots="$3"
testing="$(dirname "$0")/../../../testing"
xvfb_tools="xwininfo xdotool import convert"
. "$testing/xvfb-session.sh"

work="$(mktemp -d)"
trap 'kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
for name in QV4700.BIN QV4700.PID dl.ini qv4700.cfs; do
  cp "$bin/$name" "$work/" || exit 1
done
mkdir -p "$shots" "$work/profile"
fail() {
  echo "failed: $1"
  kill -0 "$pid" 2>/dev/null || echo "the simulator had ended: $(cat "$work/talvask.log")"
  import -window root "$shots/talvask-desktop-failed.png" 2>/dev/null
  exit 1
}
shot() { import -window root "$shots/talvask-desktop-$1.png" || fail "no screenshot of $1"; }

# geometry <id>: "x y width height" of a window on the root.
geometry() {
  # No id (the window is being made again) is no geometry: xwininfo without
  # one would wait for a click.
  [ -n "$1" ] || return 0
  if [ "$1" = root ]; then xwininfo -root; else xwininfo -id "$1" 2>/dev/null; fi | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                           /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}
# popups: how many mapped windows besides the simulator's own.
popups() { xwininfo -root -children | grep -c '"Talvask"' | awk -v main=1 '{print $1 - main}'; }
menu_open() { [ "$(popups)" -ge 1 ] && xdotool getwindowfocus >/dev/null 2>&1; }
menu_closed() { [ "$(popups)" = 0 ]; }
simulator() { xwininfo -root -children | awk '/"VYRSim"/ {print $1; exit}'; }
placed_at() { set -- $(geometry "$(simulator)") "$1"; [ "$1,$2" = "$5" ]; }
sized() { set -- $(geometry "$(simulator)") "$1"; [ "${3}x$4" = "$5" ]; }
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$(printf %d "$(simulator)")" ]; }
# colours <id>: how many colours the screen shows where the window is (a window mapped but never
# drawn shows one).
colours() {
  set -- $(geometry "$1")
  [ -n "$4" ] || { echo 0; return; }
  import -window root -crop "${3}x$4+$1+$2" +repage "$work/part.png" 2>/dev/null &&
    convert "$work/part.png" -format %k info: 2>/dev/null || echo 0
}
skin_drawn() { [ "$(colours "$(simulator)")" -gt 3 ]; }
# The open menu drawn: its face grey and its black texts.
menu_drawn() {
  menu=$(xwininfo -root -children | awk '/"Talvask"/ && !/"VYRSim"/ {print $1; exit}')
  set -- $(geometry "$menu")
  [ -n "$4" ] || return 1
  import -window root -crop "${3}x$4+$1+$2" +repage "$work/menu.png" 2>/dev/null &&
    convert "$work/menu.png" txt:- >"$work/menu.txt" 2>/dev/null &&
    grep -qi '#C0C0C0' "$work/menu.txt" && grep -qi '#000000' "$work/menu.txt"
}

cd "$work"
KIT_DISPLAY=sdl KIT_PROFILE_DIR="$work/profile" "$talvask" -o:QV4700.BIN -up -a:"$work/ram.mem" -eas:65536 \
  -if:qv4700.cfs >"$work/talvask.log" 2>&1 &
pid=$!
mapped() { [ -n "$(simulator)" ] && focused; }
wait_for "the simulator's window never appeared: $(cat "$work/talvask.log")" mapped
id="$(simulator)"
wait_for "the simulator's window is mapped but its skin is not drawn" skin_drawn
shot mapped

root="$(geometry root)"
set -- $(geometry "$id")
echo "mapped at $1,$2 size $3x$4 on a root of $root"
set -- $root $(geometry "$id")
[ "$5" -ge 0 ] && [ "$6" -ge 0 ] && [ $(($5 + $7)) -le "$3" ] && [ $(($6 + $8)) -le "$4" ] ||
  fail "the window ($5,$6 ${7}x$8) is not inside the screen (${3}x$4)"
xwininfo -shape -id "$id" | grep -q "Window shape extents" || fail "the X server reports no shape on the window"
width="$7"
height="$8"

# Moved by the user, it stays there through a key press and a click on the skin.
xdotool windowmove "$id" 40 30
wait_for "the window did not move to 40,30" placed_at 40,30
xdotool mousemove 45 35 key q
sleep 0.5
placed_at 40,30 || fail "after a key press the window moved from 40,30 to $(geometry "$id")"

# Rotate from the popup menu (the skins first, then Rotate) keeps the place and the shape.
xdotool mousemove 100 300 click 3
wait_for "a right-click showed no menu" menu_open
wait_for "the menu is not drawn on the screen" menu_drawn
shot menu
xdotool key Down Down Down Return
wait_for "Rotate did not turn the window ${width}x$height" sized "${height}x$width"
placed_at 40,30 || fail "after Rotate the window moved from 40,30 to $(geometry "$(simulator)")"
id="$(simulator)"
xwininfo -shape -id "$id" | grep -q "Window shape extents" || fail "the turned window is not shaped"
wait_for "the keyboard did not come back to the window after Rotate" focused
wait_for "the turned window is not drawn" skin_drawn
shot rotated

# Minimize (by its mnemonic), then a right-click still brings the menu.
xdotool mousemove 100 100 click 3
wait_for "a right-click showed no menu" menu_open
xdotool key m
wait_for "Minimize left the menu open" menu_closed
sleep 0.5
xdotool mousemove 100 100 click 3
wait_for "after Minimize a right-click showed no menu" menu_open
wait_for "the menu after Minimize is not drawn on the screen" menu_drawn
shot restored
xdotool key Escape
wait_for "Escape left the menu open" menu_closed
wait_for "the keyboard did not come back after the menu" focused

# Ctrl+C in its terminal: the window closes as by its Exit command.
before="$(stat -c %Y "$work/ram.mem")"
sleep 1.1
kill -INT "$pid"
wait "$pid"
code=$?
pid=""
[ "$code" = 0 ] || fail "SIGINT ended the simulator with exit code $code: $(cat "$work/talvask.log")"
after="$(stat -c %Y "$work/ram.mem")"
[ "$after" -gt "$before" ] || fail "the RAM file was not written back at the end"
echo "passed: mapped on the screen, shaped, kept its place, minimized and restored, ended by SIGINT"
