#!/bin/sh
# Set Memory by keys alone, during a debug run stopped at its breakpoint, on an
# X server (Xvfb) with the SDL display: Alt+3 opens the watch window with the
# keyboard in it, a watch of 0x410 is typed into its empty row and selected,
# Shift+F10 opens the window's context menu below the selected watch, Up goes
# to its last item, Set Memory, and Enter shows the memory window. With
# "openbox" as the fourth argument the same runs under a window manager.
# Screenshots kept for CI.
# Usage: xvfb_watch_menu.sh <Corvel> <sample workspace folder> <screenshot folder> [openbox]
shot_name=corvel-watch-menu
xvfb_more_tools="compare"
. "$(dirname "$0")/xvfb_corvel.sh"

# Corvel's windows X shows: the main window, and a popup menu while one is open.
corvel_windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
menu_open() { [ "$(corvel_windows)" -gt "$windows_before" ]; }
menu_closed() { [ "$(corvel_windows)" -eq "$windows_before" ]; }
# The selected item of an open menu, in the highlight's navy, in a band of the screen.
highlight_in() { shows "$1" "$2" "$3" "$4" '#000080'; }
# The bottom row of docked windows, where the memory window comes in beside the others.
bottom_row() { import -window root -crop 1024x200+0+540 +repage "$1" 2>/dev/null; }
bottom_row_changed() {
  bottom_row "$work/row-after.png" &&
    [ "$(compare -metric AE "$work/row-before.png" "$work/row-after.png" null: 2>&1 | cut -d' ' -f1)" -gt 500 ]
}

[ -z "$with_wm" ] || start_window_manager
start_corvel --nosplash
wait_drawn
run_to_breakpoint
wait_for "the stop left X's keyboard away from Corvel" keyboard_with "$pid"
xdotool key alt+3
sleep 1
xdotool type --delay 100 0x410
xdotool key Return
sleep 0.5
xdotool key Up
sleep 0.5
shot watch
bottom_row "$work/row-before.png" || fail "no picture of the bottom row"
windows_before="$(corvel_windows)"
xdotool key shift+F10
wait_for "Shift+F10 in the watch window opened no menu" menu_open
shot menu
xdotool key Up
wait_for "Up in the watch window's menu highlighted no item" highlight_in 0 500 1024 268
xdotool key Return
wait_for "Enter on Set Memory left the menu open" menu_closed
wait_for "Set Memory showed no memory window" bottom_row_changed
shot memory
xdotool key shift+F5
wait_for "Shift+F5 did not end the simulator" simulator_gone
echo "Shift+F10 in the watch window opened its menu and Set Memory showed the memory window" \
  "${with_wm:+under $with_wm}; screenshots in $shots"
