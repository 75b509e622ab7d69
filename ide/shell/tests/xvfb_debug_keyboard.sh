#!/bin/sh
# Corvel and the simulator on one X server (Xvfb) with the SDL display, during
# a debug run stopped at its breakpoint: the keyboard goes to the window the
# person clicks. The simulator is raised and clicked, so X gives it the keys;
# then a click in Corvel's source window takes them back (F9 there sets a
# breakpoint), as a click in its project tree (F10 steps a line) and on its
# caption (F10 steps again) do. Last the simulator is ended from its own menu
# while it has the keyboard: the keys come back to Corvel, not to no window
# (Alt+F4 there ends Corvel). X's focus is checked after each click. With
# "openbox" as the fourth argument the same runs under a window manager.
# Screenshots kept for CI.
# Usage: xvfb_debug_keyboard.sh <Corvel> <sample workspace folder> <screenshot folder> [openbox]
shot_name=corvel-debug-keyboard
. "$(dirname "$0")/xvfb_corvel.sh"

focus_on() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
keyboard_holder() { xdotool getwindowfocus 2>/dev/null || echo "no window"; }
# A breakpoint's red disc in the source window's gutter, in the band of one line.
breakpoint_on_line() { shows 242 $((314 + 15 * ($1 - 16))) 16 14 '#AF0000'; }
# The simulator raised above Corvel and clicked on its LCD, which takes the keyboard.
click_simulator() {
  xdotool windowraise "$simulator"
  sleep 0.3
  eval "$(xdotool getwindowgeometry --shell "$simulator")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + 150)) click 1
  wait_for "a click on the simulator left the keyboard with $(keyboard_holder)" focus_on "$simulator"
}
# click_corvel <x> <y> <what>: the click gives Corvel the keyboard.
click_corvel() {
  xdotool mousemove "$1" "$2" click 1
  wait_for "a click on Corvel's $3 left the keyboard with $(keyboard_holder), not $corvel_window" \
    focus_on "$corvel_window"
}

[ -z "$with_wm" ] || start_window_manager
start_corvel --nosplash
wait_drawn
run_to_breakpoint
shot stopped

# The source window left of the simulator, on line 20.
click_simulator
click_corvel 270 381 "source window"
xdotool key F9
wait_for "F9 after the click set no breakpoint on line 20" breakpoint_on_line 20
shot source-window

click_simulator
click_corvel 100 150 "project tree"
xdotool key F10
wait_for "F10 after the click on the tree did not step to line 17" mark_on_line 17

click_simulator
click_corvel 100 8 caption
xdotool key F10
wait_for "F10 after the click on the caption did not step to line 18" mark_on_line 18
shot caption

# Exit, the last item of the simulator's menu, while the simulator has the keyboard.
click_simulator
xdotool click 3
sleep 0.5
xdotool key Up Return
wait_for "Exit in the simulator's menu did not end it" simulator_gone
wait_for "the keyboard rests on $(keyboard_holder) after the simulator ended, not on Corvel" \
  focus_on "$corvel_window"
shot simulator-ended
xdotool key alt+F4
wait_for "Alt+F4 after the simulator ended did not end Corvel" corvel_ended
echo "clicks on Corvel's source window, tree and caption took the keyboard back from the simulator," \
  "and Corvel had it after the simulator ended${with_wm:+ under $with_wm}; screenshots in $shots"
