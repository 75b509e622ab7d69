#!/bin/sh
# The frame lab as the IDE's main frame (menu bar, four toolbars, status bar)
# on a bare X server (Xvfb) with the SDL display, driven by the X server's own
# keyboard and mouse: Alt+F drops the File menu, Right moves to the View menu,
# Escape closes it, and a click on a toolbar button sends its command. The
# lab keeps its layout text (with the open menu and the last command) in a
# file that this script follows. Screenshots of each step are kept for CI.
# Usage: xvfb_menubar.sh <framelab> <screenshot folder>
framelab="$1"
shots="$2"
shot_prefix=framelab-menubar
. "$(dirname "$0")/lab_session.sh"

start_lab menubar 'menubar closed'
# The keyboard goes to the lab's window.
xdotool mousemove $((ox + 400)) $((oy + 200)) click 1
drawn "the Build button" 'button 32931 ' '#C0C0C0'
shot start

# The X server hands the keyboard to the window a moment after the click; Alt+F
# goes once it has, and only once, since a second one would close the menu.
wait_for "X's keyboard did not come to the lab after the click" keyboard_with "$pid"
xdotool key alt+f
wait_for "Alt+F did not drop the File menu" has 'menubar open "&File"'
drawn "the File menu" '^popup ' '#C0C0C0' '#000000'
shot file-menu
xdotool key Right
wait_for "Right did not move to the View menu" has 'menubar open "&View"'
drawn "the View menu" '^popup ' '#C0C0C0' '#000000'
shot view-menu
xdotool key Escape
wait_for "Escape did not close the menu" has 'menubar closed'

# The Compile toolbar's Build button (32931).
set -- $(place 'button 32931 ')
[ -n "$1" ] || fail "the layout has no Build button"
xdotool mousemove $((ox + ($1 + $3) / 2)) $((oy + ($2 + $4) / 2))
sleep 0.2
xdotool click 1
wait_for "the toolbar button sent no command" has 'command 32931'
drawn "the Build button after its click" 'button 32931 ' '#C0C0C0'
shot clicked
echo "the menu bar opened by Alt+F and moved by Right, and a toolbar button sent its command; screenshots in $shots"
