#!/bin/sh
# Corvel started as a person starts it on a bare X server (Xvfb) with the SDL
# display: the main window comes up maximized with its borders past the
# screen's edges (its status bar whole on the screen), the start-up splash is
# in the middle of the screen above the main window, a key closes the splash
# and Alt+F4 ends Corvel. A screenshot of the start is kept for CI.
# Usage: xvfb_desktop.sh <Corvel> <sample workspace folder> <screenshot folder>
shot_name=corvel-desktop
. "$(dirname "$0")/xvfb_corvel.sh"

# The X windows on the screen, the topmost first.
windows() { xwininfo -root -children | grep -E '^ +0x'; }
main_window() { windows | grep -E '^ +0x[0-9a-f]+ "Corvel' | head -1; }
splash_window() { windows | grep '(has no name): ("Corvel"' | grep ' 400x220+' | head -1; }
splash_gone() { test -z "$(splash_window)"; }
# "<x> <y> <width> <height>" of a window line.
geometry() { echo "$1" | sed -E 's/.* ([0-9]+)x([0-9]+)([+-]-?[0-9]+)([+-]-?[0-9]+) .*/\3 \4 \1 \2/; s/\+//g'; }
# The splash's picture (its olive band), or no splash any more.
splash_drawn_or_gone() { splash_gone || shows $(geometry "$splash") '#A8B880'; }

start_corvel
main="$(main_window)"
splash="$(splash_window)"
# The stacking as it was then: the splash may close (after 1.5 s) while the rest is checked.
stacked="$(windows)"
wait_drawn
[ -z "$splash" ] || wait_for "the splash is mapped but not drawn" splash_drawn_or_gone
shot start

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
