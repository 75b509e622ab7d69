#!/bin/sh
# The floating frame's caption on an X server (Xvfb) with the SDL display, with
# a window manager (openbox) or without one, the keyboard taken from the lab
# before each step as when a person comes back from another program: the
# memory window floats beside the frame; its caption drags the frame out onto
# the desktop, then onto the output window where it docks in the bottom row;
# floated again by a double click, one double click on its caption docks it.
# Screenshots of each step are kept for CI.
# Usage: xvfb_caption_drag.sh <framelab> <screenshot folder> [openbox]
framelab="$1"
shots="$2"
manager="${3:-}"
shot_prefix="framelab-caption${manager:+-$manager}"
xvfb_tools="xdotool import convert xprop xwininfo $manager"
. "$(dirname "$0")/lab_session.sh"

if [ -n "$manager" ]; then
  "$manager" >"$work/manager.log" 2>&1 &
  wait_for "the window manager did not start: $(cat "$work/manager.log")" \
    sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
fi

start_lab floating 'floating "Memory Window" .* visible'
drawn "the floating memory window" 'floating "Memory Window"' '#C0C0C0' '#FFFFFF'
shot floating

root=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
# The keyboard leaves the lab, as when another program had it.
keyboard_away() {
  xdotool windowfocus "$root" 2>/dev/null
  sleep 0.3
}
# A point on the floating frame's caption, in screen coordinates.
caption() {
  read_origin
  set -- $(place 'floating "Memory Window"')
  caption_x=$((ox + $1 + 30))
  caption_y=$((oy + $2 + 6))
}

# Out onto the desktop, clear of the main frame: the floating frame moves there.
keyboard_away
caption
drag "$caption_x" "$caption_y" 700 520
wait_for "the caption's drag did not move the floating frame onto the desktop" \
  has "floating \"Memory Window\" ($((670 - ox)),$((514 - oy)))"
drawn "the moved memory window" 'floating "Memory Window"' '#C0C0C0' '#FFFFFF'
shot moved

# Dropped on the start of the output window: it docks in the bottom row.
keyboard_away
caption
set -- $(place 'bar "Output Window"')
drag "$caption_x" "$caption_y" $((ox + $1 + 3)) $((oy + ($2 + $4) / 2))
wait_for "the caption's drag did not dock the memory window" lacks 'floating "Memory Window"'
has 'bar "Memory Window" bottom row 0 .* visible' || fail "it is not in the bottom row"
drawn "the memory window docked" 'bar "Memory Window"' '#C0C0C0' '#FFFFFF'
shot docked

# A double click on the docked window floats it again; one double click on its frame's caption
# docks it.
set -- $(place 'bar "Memory Window"')
xdotool mousemove $((ox + $1 + 7)) $((oy + $2 + 60)) && sleep 0.2
xdotool click --repeat 2 --delay 80 1
wait_for "a double click did not float the memory window" has 'floating "Memory Window" .* visible'
drawn "the memory window floating again" 'floating "Memory Window"' '#C0C0C0' '#FFFFFF'
keyboard_away
caption
xdotool mousemove "$caption_x" "$caption_y" && sleep 0.2
xdotool click --repeat 2 --delay 80 1
wait_for "one double click on the caption did not dock the memory window" lacks 'floating "Memory Window"'
has 'bar "Memory Window" bottom row 0 .* visible' || fail "it is not back in the bottom row"
drawn "the memory window docked again" 'bar "Memory Window"' '#C0C0C0' '#FFFFFF'
shot docked-again
echo "the floating frame's caption moved it, docked it by a drag and by one double click; screenshots in $shots"
