#!/bin/sh
# The demo on a bare X server (Xvfb) with the SDL display, driven by the X
# server's own keyboard and mouse: a click on the inactive note raises it;
# Blue and size 60 chosen in the sketch's options sheet change the sketch on
# the screen; Alt+F typed right after a menu command opens the File menu, and
# an open menu leaves X's keyboard with the main window. The
# demo keeps what shows in a state file that this script follows.
# Screenshots of each step are kept for CI.
# Usage: xvfb_desktop.sh <afxdemo> <png_compare> <screenshot folder>
afxdemo="$1"
compare="$2"
shots="$3"
testing="$(dirname "$0")/../../../testing"
xvfb_tools="xdotool import convert"
. "$testing/xvfb-session.sh"

[ -x "$compare" ] || { echo "failed: no picture comparer at $compare"; exit 1; }
work="$(mktemp -d)"
trap 'kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$shots" "$work/profile"
state="$work/state.txt"
fail() {
  echo "failed: $1"
  [ -f "$state" ] && cat "$state"
  kill -0 "$pid" 2>/dev/null || echo "the demo had ended: $(cat "$work/demo.log")"
  import -window root "$shots/afxdemo-desktop-failed.png" 2>/dev/null
  exit 1
}
shot() { import -window root "$shots/afxdemo-desktop-$1.png" || fail "no screenshot of $1"; }
has() { grep -q "$1" "$state" 2>/dev/null; }
lacks_focus() { ! grep -q "^focus $1 " "$state" 2>/dev/null; }
# "left top right bottom" of a view on the screen.
rect() { sed -n "s/^$1 //p" "$state" | head -1; }
# The sketch's view as it shows on the screen, cut from a screenshot into the file named.
sketch_picture() {
  out="$1"
  set -- $(rect sketch)
  import -window root -crop "$(($3 - $1))x$(($4 - $2))+$1+$2" +repage "$out" 2>/dev/null ||
    fail "no picture of the sketch"
}
# Pixels of a colour (#RRGGBB) in a picture.
pixels() { convert "$1" txt:- | grep -ci "$2"; }
# Whether the sketch on the screen shows a colour (or, with "no", does not).
sketch_shows() {
  sketch_picture "$work/now.png"
  if [ "$1" = no ]; then [ "$(pixels "$work/now.png" "$2")" -eq 0 ]; else [ "$(pixels "$work/now.png" "$1")" -gt 0 ]; fi
}
click_middle() {
  set -- $(rect "$1")
  [ -n "$1" ] || fail "the state names no $1 view"
  xdotool mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2)) click 1
}
# The keys go once X's keyboard is with the demo (the X server hands it over a
# moment after a click), and the state must then show what they did. They are
# pressed once: pressed again they would undo what a slow first press did.
keys_until() {
  expected="$1"
  shift
  wait_for "X's keyboard is with $(xdotool getwindowfocus getwindowname 2>/dev/null), not the demo" \
    keyboard_with "$pid"
  xdotool key "$@"
  wait_for "$* never gave '$expected'" has "$expected"
}

KIT_DISPLAY=sdl KIT_PROFILE_DIR="$work/profile" "$afxdemo" --state-file "$state" >"$work/demo.log" 2>&1 &
pid=$!
wait_for "the demo never wrote its state: $(cat "$work/demo.log" 2>/dev/null)" has 'active sketch'
wait_for "the sketch is not drawn on the screen" sketch_shows '#C80000'
shot start

# A click on the inactive note activates it and brings it in front.
click_middle note
wait_for "a click on the inactive note did not activate it" has 'active note'
wait_for "the note was activated but not raised" has 'top note'
shot note-raised

click_middle sketch
wait_for "a click on the sketch did not activate it" has 'active sketch'
wait_for "the sketch shows no red disc at first" sketch_shows '#C80000'
sketch_picture "$work/before.png"

# Edit > Sketch options, Blue on the first page, 60 on the second, OK.
keys_until 'menu open 1' alt+e
keys_until 'window "Sketch options"' k
# The keys go on once the control they were for has the keyboard (1004 Blue, 1005 the size).
keys_until 'focus 1004 ' alt+b
xdotool key ctrl+Tab
wait_for "Ctrl+Tab did not leave the colour page" lacks_focus 1004
keys_until 'focus 1005 ' alt+s
xdotool key End BackSpace BackSpace BackSpace
xdotool type 60
wait_for "the size typed did not reach its box" has 'focus 1005 "60"'
shot options
xdotool key Return
wait_for "the sheet's choices did not reach the sketch" has 'sketch colour 1 size 60'
wait_for "the sketch shows no blue disc" sketch_shows '#0000C8'
wait_for "the sketch still shows red" sketch_shows no '#C80000'
shot options-applied
sketch_picture "$work/after.png"
if "$compare" "$work/before.png" "$work/after.png" 0 >/dev/null 2>&1; then
  fail "the sketch on the screen did not change"
fi

# A menu command (File > New note), then Alt+F at once: the File menu opens. The open menu
# leaves X's keyboard with the main window, so that no key typed as the menu goes is lost.
keys_until 'menu open 0' alt+f
main_window=$(xdotool search --name '^Afx demo' | head -1)
[ "$(xdotool getwindowfocus)" = "$main_window" ] || fail "the open menu took X's keyboard from the main window"
xdotool key n alt+f
wait_for "Alt+F right after a menu command did nothing" has 'menu \(open\|highlighted\) 0'
# Without a window manager the X library resets its keyboard when X's focus moves to a window
# being mapped; if that falls between Alt and F, the Alt comes back alone and only highlights
# the menu bar. That is the X server's doing, not the program's: Escape, and Alt+F once more.
if has 'menu highlighted 0'; then
  xdotool key Escape
  wait_for "Escape did not leave the menu bar" has 'menu closed'
  keys_until 'menu open 0' alt+f
fi
shot file-menu-again
xdotool key Escape Escape
wait_for "Escape did not close the menu" has 'menu closed'
echo "a click raised the inactive note, the options sheet changed the sketch, and Alt+F after a command opened File; screenshots in $shots"
