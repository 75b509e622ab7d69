#!/bin/sh
# Corvel started as a person starts it on a bare X server (Xvfb) with the SDL
# display: the main window comes up maximized with its borders past the
# screen's edges (its status bar whole on the screen), the start-up splash is
# in the middle of the screen above the main window, a key closes the splash
# and Alt+F4 ends Corvel. A screenshot of the start is kept for CI.
# Usage: xvfb_desktop.sh <Corvel> <sample workspace folder> <screenshot folder>
corvel="$1"
sample="$2"
shots="$3"
testing="$(dirname "$0")/../../../testing"
xvfb_tools="xdotool xwininfo import convert"
. "$testing/xvfb-session.sh"

work="$(mktemp -d)"
trap 'kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$shots" "$work/profile"
cp "$sample/HELLO.WSP" "$sample/HELLO.PRJ" "$sample/hello.asm" "$work/"
fail() {
  echo "failed: $1"
  xwininfo -root -children 2>/dev/null
  kill -0 "$pid" 2>/dev/null || echo "Corvel had ended: $(cat "$work/corvel.log")"
  import -window root "$shots/corvel-desktop-failed.png" 2>/dev/null
  exit 1
}
# The X windows on the screen, the topmost first.
windows() { xwininfo -root -children | grep -E '^ +0x'; }
main_window() { windows | grep -E '^ +0x[0-9a-f]+ "Corvel' | head -1; }
splash_window() { windows | grep '(has no name): ("Corvel"' | grep ' 400x220+' | head -1; }
main_shown() { test -n "$(main_window)"; }
splash_gone() { test -z "$(splash_window)"; }
corvel_ended() { ! kill -0 "$pid" 2>/dev/null; }
# "<x> <y> <width> <height>" of a window line.
geometry() { echo "$1" | sed -E 's/.* ([0-9]+)x([0-9]+)([+-]-?[0-9]+)([+-]-?[0-9]+) .*/\3 \4 \1 \2/; s/\+//g'; }
# shows <x> <y> <width> <height> <#RRGGBB>: whether the screen has pixels of the colour there.
shows() {
  import -window root -crop "${3}x$4+$1+$2" +repage "$work/part.png" 2>/dev/null &&
    convert "$work/part.png" txt:- 2>/dev/null | grep -qi "$5"
}
# The main window's status bar, whole at the bottom of the screen, in its face grey.
status_bar_drawn() { shows 0 744 1024 24 '#C0C0C0'; }
# The splash's picture (its olive band), or no splash any more.
splash_drawn_or_gone() { splash_gone || shows $(geometry "$splash") '#A8B880'; }

KIT_DISPLAY=sdl KIT_PROFILE_DIR="$work/profile" "$corvel" "$work/HELLO.WSP" "$work/hello.asm" >"$work/corvel.log" 2>&1 &
pid=$!
wait_for "the main window never showed" main_shown
main="$(main_window)"
splash="$(splash_window)"
# The stacking as it was then: the splash may close (after 1.5 s) while the rest is checked.
stacked="$(windows)"
wait_for "the main window is mapped but not drawn (no status bar at the bottom of the screen)" status_bar_drawn
[ -z "$splash" ] || wait_for "the splash is mapped but not drawn" splash_drawn_or_gone
import -window root "$shots/corvel-desktop-start.png" || fail "no screenshot of the start"

set -- $(geometry "$main")
[ "$1" -lt 0 ] && [ "$2" -lt 0 ] && [ $(($1 + $3)) -gt 1024 ] && [ $(($2 + $4)) -gt 768 ] ||
  fail "the maximized main window is at $* instead of past every edge of the 1024x768 screen"

# The splash lives 1.5 s: on a machine too slow to show the main window before then it has gone.
if [ -n "$splash" ]; then
  [ "$(echo "$stacked" | grep -n -F "$splash" | cut -d: -f1)" -lt "$(echo "$stacked" | grep -n -F "$main" | cut -d: -f1)" ] ||
    fail "the splash is below the main window"
  set -- $(geometry "$splash")
  [ $(($1 + $3 / 2)) -eq 512 ] && [ $(($2 + $4 / 2)) -eq 384 ] || fail "the splash at $* is not in the middle of the screen"
  xdotool key space
  wait_for "a key did not close the splash" splash_gone
else
  echo "the splash had closed before the main window showed: its place was not checked"
fi

xdotool key alt+F4
wait_for "Alt+F4 did not end Corvel" corvel_ended
echo "the main window came up maximized past the screen's edges, the splash above it in the middle; screenshot in $shots"
