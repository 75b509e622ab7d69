#!/bin/sh
# A document docked when the frame lab closes, on a bare X server (Xvfb) with
# the SDL display, driven by the X server's own mouse and keyboard: the output
# window dragged off the frame floats, the state menu of the document's caption
# (a right click) docks the document, Alt+F4 closes the lab, which saves its layout,
# and the lab started again puts every bar back where it was, the document an
# MDI child again. Screenshots of each step are kept for CI.
# Usage: xvfb_docked_document.sh <framelab> <screenshot folder>
framelab="$1"
shots="$2"
shot_prefix=framelab-docked-document
. "$(dirname "$0")/lab_session.sh"

# Each bar's name, place and whether it shows; the rows it is counted in are left aside, since a
# docked bar that is gone keeps its row as a place to come back to.
bar_places() {
  sed -n -E 's/^ *(bar|floating) ("[^"]*") .*(\(-?[0-9]+,-?[0-9]+\)-\(-?[0-9]+,-?[0-9]+\)) [0-9]+x[0-9]+ (visible|hidden).*/\2 \3 \4/p' \
    "$layout" | sort
}
lab_ended() { ! kill -0 "$pid" 2>/dev/null; }

start_lab documents '^document ' --layout lab
drawn "the workspace window" 'bar "Workspace Window"' '#C0C0C0' '#FFFFFF'

# The output window off the frame to the right: it floats.
set -- $(place 'bar "Output Window"')
drag $((ox + $1 + 7)) $((oy + $2 + 60)) 900 300
wait_for "the output window did not float" has 'floating "Output Window" .* visible'
drawn "the floating output window" 'floating "Output Window"' '#C0C0C0' '#FFFFFF'
shot arranged
saved="$(bar_places)"

# A right click on the document's caption shows its state menu; its first item, "Docked", docks it.
set -- $(place '^document ')
xdotool mousemove $((ox + $1 + 40)) $((oy + $2 + 10)) && sleep 0.2
xdotool click 3
wait_for "a right click on the caption did not show the state menu" has '^popup '
drawn "the state menu" '^popup ' '#C0C0C0' '#000000'
shot state-menu
set -- $(place '^popup ')
xdotool mousemove $((ox + $1 + 20)) $((oy + $2 + 10)) && sleep 0.2
xdotool click 1
wait_for "the state menu's Docked did not dock the document" lacks '^document '
drawn "the docked document" 'bar "Source1"' '#FFFFFF'
shot docked

# Alt+F4 with the keyboard in the lab's window closes it, with the document docked.
set -- $(place '^client ')
xdotool mousemove $((ox + ($1 + $3) / 2)) $((oy + ($2 + $4) / 2)) click 1
wait_for "X's keyboard did not come to the lab after the click" keyboard_with "$pid"
xdotool key alt+F4
wait_for "Alt+F4 did not close the lab" lab_ended
grep -q "framelab:" "$work/lab.log" && fail "the lab said: $(cat "$work/lab.log")"

# Started again: the document is an MDI child and every bar is where it was.
start_lab documents '^document ' --layout lab
same_places() { [ "$(bar_places)" = "$saved" ]; }
wait_for "the bars did not come back where they were, which was:
$saved" same_places
grep -q "framelab:" "$work/lab.log" && fail "the lab said: $(cat "$work/lab.log")"
drawn "the floating output window" 'floating "Output Window"' '#C0C0C0' '#FFFFFF'
drawn "the workspace window" 'bar "Workspace Window"' '#C0C0C0' '#FFFFFF'
shot restored
echo "a layout saved with a document docked brought every bar back at the next start; screenshots in $shots"
