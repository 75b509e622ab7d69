#!/bin/sh
# Corvel on a bare X server (Xvfb) with the SDL display: the File item of the
# menu bar, clicked open and closed with Escape, stays raised while the mouse
# rests on it; Ctrl+N then opens the New sheet over the main window, and the
# item goes flat although the mouse has not moved, since a window under a
# modal dialog answers no mouse. Screenshots of both kept for CI.
# Usage: xvfb_menu_under_dialog.sh <Corvel> <sample workspace folder> <screenshot folder>
shot_name=corvel-menu
. "$(dirname "$0")/xvfb_corvel.sh"

# The File item of the menu bar (the main window is maximized past the screen's
# edges); raised, its top and left edges are white.
file_raised() { shows 33 22 26 18 '#FFFFFF'; }
file_flat() { ! file_raised; }
sheet_shown() { test -n "$(named_window '^New$')"; }

start_corvel --nosplash
wait_drawn
# The keyboard goes to the main window with the click that opens the File menu.
xdotool mousemove 45 32 click 1
sleep 0.5
xdotool key Escape
wait_for "the File item is not raised under the mouse after Escape" file_raised
shot after-escape
xdotool key ctrl+n
wait_for "Ctrl+N showed no New sheet" sheet_shown
wait_for "the File item stays raised under the New sheet" file_flat
shot under-dialog
echo "the File item went flat under the New sheet; screenshots in $shots"
