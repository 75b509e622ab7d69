#!/bin/sh
# Corvel's place on the screen across starts, on a bare X server (Xvfb) with
# the SDL display: the main window is sizable for a window manager (its size
# hints do not make its smallest size its largest, and openbox offers Maximize
# and Resize for it); the maximized main window moved to the screen's corner
# (as a window manager may move it) is still maximized, past every edge, at
# the next start, not stretched 8 pixels past the right and bottom edges; and
# a restored window (by its caption's restore box) moved past the right and
# bottom edges comes back inside the screen, its status bar whole. With
# "openbox" as the fourth argument the same runs under a window manager.
# Screenshots kept for CI.
# Usage: xvfb_placement.sh <Corvel> <sample workspace folder> <screenshot folder> [openbox]
shot_name=corvel-placement
xvfb_more_tools=xprop
. "$(dirname "$0")/xvfb_corvel.sh"

sized_past_the_screen() { set -- $(place); [ "$3" -gt 1024 ]; }
inside_the_screen() { set -- $(place); [ "$1" -ge 0 ] && [ "$2" -ge 0 ] && [ $(($1 + $3)) -le 1024 ] && [ $(($2 + $4)) -le 768 ]; }
end_corvel() {
  xdotool key alt+F4
  wait_for "Alt+F4 did not end Corvel" corvel_ended
}

[ -z "$with_wm" ] || start_window_manager
start_corvel --nosplash
wait_drawn
wait_for "Corvel did not start maximized past the screen's edges: $(place)" maximized_past_the_edges
hints=$(xprop -id "$corvel_window" WM_NORMAL_HINTS)
smallest=$(echo "$hints" | sed -n 's/.*minimum size: //p')
largest=$(echo "$hints" | sed -n 's/.*maximum size: //p')
[ -n "$largest" ] && [ "$smallest" = "$largest" ] && fail "the main window's smallest size is its largest: $hints"
if [ -n "$with_wm" ]; then
  actions=$(xprop -id "$corvel_window" _NET_WM_ALLOWED_ACTIONS)
  for action in MAXIMIZE_HORZ MAXIMIZE_VERT RESIZE; do
    echo "$actions" | grep -q "_NET_WM_ACTION_$action" || fail "the window manager offers no $action: $actions"
  done
fi
xdotool windowmove "$corvel_window" 0 0
sleep 0.5
end_corvel

start_corvel --nosplash
wait_drawn
wait_for "after a move to the corner Corvel came back at $(place), not maximized past the edges" maximized_past_the_edges
shot maximized
# The restore box, left of the close box at the caption's right end.
xdotool mousemove 999 9 click 1
wait_for "the restore box did not restore the main window: $(place)" restored
xdotool windowmove "$corvel_window" 20 20
xdotool windowsize "$corvel_window" 1100 800
wait_for "the main window was not sized past the screen: $(place)" sized_past_the_screen
end_corvel

start_corvel --nosplash
status_bar_whole() { set -- $(place); shows "$1" $(($2 + $4 - 24)) "$3" 20 '#C0C0C0'; }
wait_for "a place saved past the edges came back at $(place), not inside the screen" inside_the_screen
wait_for "the restored main window's status bar is not drawn" status_bar_whole
shot restored
end_corvel
echo "maximized past the edges after a move, a restored place back inside the screen${with_wm:+ under $with_wm}; screenshots in $shots"
