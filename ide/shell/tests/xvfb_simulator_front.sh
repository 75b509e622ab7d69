#!/bin/sh
# Corvel and the simulator on a bare X server (Xvfb) with the SDL display and
# no window manager, during a debug run stopped at its breakpoint: with the
# two windows side by side and overlapping, a click on the simulator brings
# it in front of Corvel, a click on Corvel brings Corvel back in front, and F5
# there (Go, which resumes the run) brings the simulator to the front again.
# Screenshots kept for CI.
# Usage: xvfb_simulator_front.sh <Corvel> <sample workspace folder> <screenshot folder>
shot_name=corvel-simulator-front
. "$(dirname "$0")/xvfb_corvel.sh"

focus_on() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# above <window> <other>: the first is higher in X's stacking (xwininfo lists the topmost first).
above() {
  order="$(xwininfo -root -children | grep -E '^ +0x' | awk '{print $1}')"
  first=$(echo "$order" | grep -n -x "$(printf '0x%x' "$1")" | cut -d: -f1)
  second=$(echo "$order" | grep -n -x "$(printf '0x%x' "$2")" | cut -d: -f1)
  [ -n "$first" ] && [ -n "$second" ] && [ "$first" -lt "$second" ]
}
width_of() { xwininfo -id "$1" | awk '/^ *Width:/{print $NF}'; }

start_corvel --nosplash
wait_drawn
run_to_breakpoint
wait_for "Corvel is not in front at the stop" above "$corvel_window" "$simulator"

# Corvel restored by its caption's restore box and narrowed to the left part of the screen;
# the simulator beside it, its left part under Corvel's right edge.
xdotool mousemove 999 9 click 1
wait_for "the restore box did not restore Corvel" sh -c "[ \$(xwininfo -id $corvel_window | awk '/^ *Width:/{print \$NF}') -lt 1024 ]"
xdotool windowmove "$corvel_window" 0 0
xdotool windowsize "$corvel_window" 600 740
wait_for "Corvel did not take the size 600 wide" sh -c "[ \$(xwininfo -id $corvel_window | awk '/^ *Width:/{print \$NF}') -eq 600 ]"
sim_width=$(width_of "$simulator")
xdotool windowmove "$simulator" $((600 - sim_width / 2 + 40)) 100
sleep 0.5
shot side-by-side

eval "$(xdotool getwindowgeometry --shell "$simulator")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 150)) click 1
wait_for "a click on the simulator did not give it the keyboard" focus_on "$simulator"
wait_for "a click on the simulator left it behind Corvel" above "$simulator" "$corvel_window"
shot simulator-clicked

xdotool mousemove 100 200 click 1
wait_for "a click on Corvel did not give it the keyboard" focus_on "$corvel_window"
wait_for "a click on Corvel left it behind the simulator" above "$corvel_window" "$simulator"
xdotool key F5
wait_for "F5 resumed the run but left the simulator behind Corvel" above "$simulator" "$corvel_window"
shot resumed
echo "a click brings the clicked window to the front, and F5 the resumed simulator; screenshots in $shots"
