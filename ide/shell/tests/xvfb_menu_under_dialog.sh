#!/bin/sh
# Corvel on a bare X server (Xvfb) with the SDL display: the File item of the
# menu bar, clicked open and closed with Escape, stays raised while the mouse
# rests on it; Ctrl+N then opens the New sheet over the main window, and the
# item goes flat although the mouse has not moved, since a window under a
# modal dialog answers no mouse. Screenshots of both kept for CI.
# Usage: xvfb_menu_under_dialog.sh <Corvel> <sample workspace folder> <screenshot folder>
corvel="$1"
sample="$2"
shots="$3"
testing="$(dirname "$0")/../../../testing"
xvfb_tools="xdotool xwininfo import convert"
. "$testing/xvfb-session.sh"

work="$(mktemp -d)"
trap 'kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$shots" "$work/profile"
cp "$sample/HELLO.WSP" "$sample/HELLO.PRJ" "$sample/hello.asm" "$work/"
fail() {
  echo "failed: $1"
  xwininfo -root -children 2>/dev/null
  kill -0 "$pid" 2>/dev/null || echo "Corvel had ended: $(cat "$work/corvel.log")"
  import -window root "$shots/corvel-menu-under-dialog-failed.png" 2>/dev/null
  exit 1
}
windows() { xwininfo -root -children | grep -E '^ +0x'; }
main_shown() { windows | grep -qE '^ +0x[0-9a-f]+ "Corvel'; }
# shows <x> <y> <width> <height> <#RRGGBB>: whether the screen has pixels of the colour there.
shows() {
  import -window root -crop "${3}x$4+$1+$2" +repage "$work/part.png" 2>/dev/null &&
    convert "$work/part.png" txt:- 2>/dev/null | grep -qi "$5"
}
status_bar_drawn() { shows 0 744 1024 24 '#C0C0C0'; }
# The File item of the menu bar (the main window is maximized past the screen's
# edges); raised, its top and left edges are white.
file_raised() { shows 33 22 26 18 '#FFFFFF'; }
file_flat() { ! file_raised; }
sheet_shown() { windows | grep -qE '^ +0x[0-9a-f]+ "New"'; }

KIT_DISPLAY=sdl KIT_PROFILE_DIR="$work/profile" "$corvel" --nosplash "$work/HELLO.WSP" "$work/hello.asm" >"$work/corvel.log" 2>&1 &
pid=$!
wait_for "the main window never showed" main_shown
wait_for "the main window is mapped but not drawn" status_bar_drawn
# The keyboard goes to the main window with the click that opens the File menu.
xdotool mousemove 45 32 click 1
sleep 0.5
xdotool key Escape
wait_for "the File item is not raised under the mouse after Escape" file_raised
import -window root "$shots/corvel-menu-after-escape.png" || fail "no screenshot after Escape"
xdotool key ctrl+n
wait_for "Ctrl+N showed no New sheet" sheet_shown
wait_for "the File item stays raised under the New sheet" file_flat
import -window root "$shots/corvel-menu-under-dialog.png" || fail "no screenshot under the sheet"
echo "the File item went flat under the New sheet; screenshots in $shots"
