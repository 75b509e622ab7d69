#!/bin/sh
# The frame lab as the IDE's main frame under a window manager (openbox) on
# an X server (Xvfb), with the SDL display: a bar dragged off the frame floats
# in a frame the window manager keeps above the main window when the main
# window is clicked, and a toolbar button's tip never takes the keyboard or
# the next click from the main window. Screenshots of each step are kept for CI.
# Usage: xvfb_wm.sh <framelab> <screenshot folder>
framelab="$1"
shots="$2"
shot_prefix=framelab-wm
xvfb_tools="xdotool import convert openbox xprop"
. "$(dirname "$0")/lab_session.sh"

openbox >"$work/openbox.log" 2>&1 &
wait_for "the window manager did not start: $(cat "$work/openbox.log")" \
  sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'

# The X windows the window manager stacks, bottom first.
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g'; }
active_window() { xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //'; }
# The X window of a title, as the window manager lists it (0x-prefixed, no leading zeros).
window_of() { printf '0x%x\n' "$(xdotool search --name "^$1\$" | head -1)"; }
# Whether the window manager lists a window of that title; whether window $1 is active.
listed() { [ "$(window_of "$1")" != "0x0" ]; }
is_active() { [ "$(active_window)" = "$1" ]; }
# Whether X shows a window of that title.
mapped() {
  title=$(printf '%s' "$1" | sed 's/[][\.*^$()+?{}|]/\\&/g')
  [ -n "$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null)" ]
}
# Whether window $1 is stacked above window $2.
above() {
  order=$(stacking)
  upper=$(echo "$order" | tr ' ' '\n' | grep -n -x "$1" | cut -d: -f1)
  lower=$(echo "$order" | tr ' ' '\n' | grep -n -x "$2" | cut -d: -f1)
  [ -n "$upper" ] && [ -n "$lower" ] && [ "$upper" -gt "$lower" ]
}

start_lab menubar 'bar "Memory Window" bottom'
wait_for "the window manager does not list the lab's window" listed "Frame lab"
main=$(window_of "Frame lab")
wait_for "the lab's window never became active" is_active "$main"
read_origin
drawn "the lab's toolbar" 'button 32931 ' '#C0C0C0'
drawn "the docked memory window" 'bar "Memory Window"' '#C0C0C0' '#FFFFFF'
shot start

# Into the MDI area: the memory window floats in a window of its own.
set -- $(place 'bar "Memory Window"')
from_x=$((ox + $1 + 7))
from_y=$((oy + $2 + 60))
set -- $(place '^client ')
# Ctrl held: the drag never docks.
drag "$from_x" "$from_y" $((ox + ($1 + $3) / 2)) $((oy + ($2 + $4) / 2)) ctrl
wait_for "the memory window did not float" has 'floating "Memory Window" .* visible'
wait_for "the floating frame is not among the window manager's windows" listed "Memory Window"
floating=$(window_of "Memory Window")
drawn "the floating memory window" 'floating "Memory Window"' '#C0C0C0' '#FFFFFF'

# A click in the main window (on the output window, clear of the floating frame) raises it, but
# not above the frame that floats from it.
set -- $(place 'bar "Output Window"')
xdotool mousemove $((ox + $3 - 20)) $((oy + $4 - 20)) click 1
wait_for "the click did not make the main window active" is_active "$main"
above "$floating" "$main" || fail "the floating frame went under the main window: $(stacking)"
shot clicked

# A toolbar button's tip comes up over the button and leaves the keyboard and the mouse to the
# main window: the click that follows reaches the button.
set -- $(place 'button 32931 ')
[ -n "$1" ] || fail "the layout has no Build button"
xdotool mousemove $((ox + ($1 + $3) / 2)) $((oy + ($2 + $4) / 2))
wait_for "no tip came up over the Build button" has '^tip "'
tip=$(sed -n 's/^tip "\(.*\)" .*/\1/p' "$layout" | head -1)
wait_for "the tip \"$tip\" is up but X does not show it" mapped "$tip"
drawn "the tip" '^tip ' '#FFFFE1' '#000000'
shot tip
[ "$(active_window)" = "$main" ] || fail "the tip took the keyboard: $(active_window) is active"
xdotool click 1
wait_for "the click after the tip never reached the button" has 'command 32931'
echo "the floating frame stayed above the main window and the tip left the keyboard and mouse alone; screenshots in $shots"
