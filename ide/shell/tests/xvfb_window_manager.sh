#!/bin/sh
# Corvel's main window and a window manager (openbox) on a bare X server
# (Xvfb) with the SDL display. The window manager is given the caption's text
# as the window's name (WM_NAME and _NET_WM_NAME) whenever it changes: with
# the sample's source open, and after New File. Minimized by its caption's
# Minimize box and brought back by the window manager (as a task list
# activates it), the window is maximized again: its caption shows the boxes it
# showed before, and the box left of the close box restores it. Screenshots
# kept for CI.
# Usage: xvfb_window_manager.sh <Corvel> <sample workspace folder> <screenshot folder> openbox
shot_name=corvel-window-manager
xvfb_more_tools=xprop
. "$(dirname "$0")/xvfb_corvel.sh"

iconified() { xprop -id "$corvel_window" WM_STATE | grep -q Iconic; }
# The window's two names as the window manager reads them.
names() {
  echo "$(xprop -id "$corvel_window" WM_NAME | sed 's/^[^=]*= //') $(xprop -id "$corvel_window" _NET_WM_NAME | sed 's/^[^=]*= //')"
}
named() { [ "$(names)" = "\"$1\" \"$1\"" ]; }
# The caption's boxes at the right end of the screen's top row, as pixel values.
caption_boxes() {
  import -window root -crop 80x20+944+0 +repage "$work/boxes.png" 2>/dev/null &&
    convert "$work/boxes.png" txt:- >"$work/$1.txt" 2>/dev/null
}
same_boxes() { caption_boxes now && cmp -s "$work/before.txt" "$work/now.txt"; }

start_window_manager
start_corvel --nosplash
wait_drawn
wait_for "Corvel did not start maximized: $(place)" maximized_past_the_edges
wait_for "the window's names are $(names), not the caption's" named "Corvel - hello.asm"

# New File on the project's file page: the name typed, then OK.
xdotool key alt+p
sleep 0.3
xdotool key f
new_sheet_shown() { test -n "$(named_window '^New$')"; }
wait_for "New File showed no sheet" new_sheet_shown
sleep 0.5
xdotool key Tab Tab
xdotool type notes
xdotool key Return
wait_for "after New File the window's names are $(names), not the new file's" named "Corvel - notes.c"

# The Minimize box, left of the restore box.
caption_boxes before || fail "no picture of the caption's boxes"
xdotool mousemove 981 9 click 1
wait_for "the minimize box did not iconify the main window" iconified
shot minimized
xdotool windowactivate "$corvel_window"
wait_for "brought back by the window manager, the main window is at $(place), not maximized" maximized_past_the_edges
wait_for "brought back by the window manager, the caption's boxes are not those it showed before" same_boxes
shot back
# The restore box, left of the close box at the caption's right end.
xdotool mousemove 999 9 click 1
wait_for "the restore box did not restore the main window: $(place)" restored
echo "the window manager names the window as its caption, and brings back the minimized window maximized; screenshots in $shots"
