#!/bin/sh
# The frame lab on a bare X server (Xvfb) with the SDL display, driven by the
# mouse as a person would: the memory window dragged off the frame floats in
# a frame of its own, and dragged back onto the bottom row it docks there
# again. The lab keeps its layout text in a file that this script follows.
# Screenshots of each step are kept in <screenshot folder> for CI.
# Usage: xvfb_drag.sh <framelab> <screenshot folder>
framelab="$1"
shots="$2"
shot_prefix=framelab-drag
. "$(dirname "$0")/lab_session.sh"
start_lab ide 'bar "Memory Window" bottom'
drawn "the docked memory window" 'bar "Memory Window"' '#C0C0C0' '#FFFFFF'
shot docked

# Off the frame to the right: the memory window floats.
set -- $(place 'bar "Memory Window"')
drag $((ox + $1 + 7)) $((oy + $2 + 60)) 900 300
wait_for "the memory window did not float" has 'floating "Memory Window"'
has 'floating "Memory Window" .* visible' || fail "its floating frame is not shown"
drawn "the floating memory window" 'floating "Memory Window"' '#C0C0C0' '#FFFFFF'
shot floating

# Onto the start of the output window: it docks in the bottom row again.
set -- $(place 'floating "Memory Window"')
from_x=$((ox + $1 + 20))
from_y=$((oy + $2 + 40))
set -- $(place 'bar "Output Window"')
drag "$from_x" "$from_y" $((ox + $1 + 3)) $((oy + ($2 + $4) / 2))
wait_for "the memory window did not dock again" lacks 'floating "Memory Window"'
has 'bar "Memory Window" bottom row 0 .* visible' || fail "it is not back in the bottom row"
drawn "the memory window docked again" 'bar "Memory Window"' '#C0C0C0' '#FFFFFF'
shot docked-again
echo "the memory window floated and docked again; screenshots in $shots"
