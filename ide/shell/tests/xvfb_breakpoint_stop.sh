#!/bin/sh
# A first debug run as a new user makes it on a bare X server (Xvfb) with the
# SDL display, by keys only, with an empty profile (Corvel finds the kit's
# tools and the simulator beside itself): F9 on the first line puts a
# breakpoint there, F5 asks to build the program that was never built, Enter
# builds it, F5 starts the simulator and, once the program is downloaded, the
# status bar says to start it there; F1 on the simulator starts it, and the
# run stops at the first instruction below the comment, where the breakpoint
# moved: the current-line mark shows in the gutter, the step buttons are
# enabled and Corvel is in front of the simulator with the keyboard, so that
# F10 steps one line. Alt+5 shows the registers, Shift+F5 ends the simulator,
# Alt+F4 Corvel. With "openbox" as the fourth argument the same runs under a
# window manager. Screenshots kept for CI.
# Usage: xvfb_breakpoint_stop.sh <Corvel> <sample workspace folder> <screenshot folder> [openbox]
shot_name=corvel-breakpoint-stop
. "$(dirname "$0")/xvfb_corvel.sh"

# The register window's values that changed, in red, along the bottom panes.
registers_shown() { shows 100 530 400 30 '#FF0000'; }
corvel_in_front() {
  if [ -n "$with_wm" ]; then
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$corvel_window" ]
  else
    # The root's children, the topmost first: Corvel's above the simulator's.
    stacked="$(xwininfo -root -children | grep -E '^ +0x')"
    [ "$(echo "$stacked" | grep -n '"Corvel' | head -1 | cut -d: -f1)" -lt "$(echo "$stacked" | grep -n '"VYRSim"' | cut -d: -f1)" ]
  fi
}

[ -z "$with_wm" ] || start_window_manager
start_corvel --nosplash
wait_drawn
run_to_breakpoint
wait_for "the stop left the simulator in front of Corvel" corvel_in_front
shot stopped
xdotool key F10
wait_for "F10 after the stop did not step to the next line" mark_on_line 17
mark_on_line 16 && fail "the mark stayed on the breakpoint's line after F10"
xdotool key alt+5
wait_for "Alt+5 showed no registers" registers_shown
shot registers
xdotool key shift+F5
wait_for "Shift+F5 did not end the simulator" simulator_gone
xdotool key alt+F4
wait_for "Alt+F4 did not end Corvel" corvel_ended
echo "the run stopped at the breakpoint with Corvel in front, F10 stepped; screenshots in $shots"
