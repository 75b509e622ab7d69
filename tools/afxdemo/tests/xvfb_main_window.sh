#!/bin/sh
# The demo's main window on an X server (Xvfb) with the SDL display, under a
# window manager (openbox) or without one: the window manager is told the
# window can be sized (its smallest size is not its largest, which would grey
# Maximize and Resize); a double click on the caption maximizes the window and
# a second one restores it; its caption's boxes maximize, restore and minimize
# it (a window manager iconifies it; without one it stays where it is, and a
# click brings it back); a click in it takes X's keyboard back from another
# program's window; and its close box ends it. Screenshots of each step are
# kept for CI.
# Usage: xvfb_main_window.sh <afxdemo> <screenshot folder> [openbox]
afxdemo="$1"
shots="$2"
manager="${3:-}"
testing="$(dirname "$0")/../../../testing"
xvfb_tools="xdotool import xprop xwininfo $manager"
. "$testing/xvfb-session.sh"

name="afxdemo-main-window${manager:+-$manager}"
work="$(mktemp -d)"
trap 'kill -KILL "$pid" "$other_pid" "$wm_pid" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$shots" "$work/profile" "$work/other-profile"
state="$work/state.txt"
fail() {
  echo "failed: $1"
  kill -0 "$pid" 2>/dev/null || echo "the demo had ended: $(cat "$work/demo.log")"
  import -window root "$shots/$name-failed.png" 2>/dev/null
  exit 1
}
shot() { import -window root "$shots/$name-$1.png" || fail "no screenshot of $1"; }
has() { grep -q "$1" "$state" 2>/dev/null; }
rect() { sed -n "s/^$1 //p" "$state" | head -1; }
# Width, height, left and top of an X window on the screen.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /^ *Width:/{w=$NF} /^ *Height:/{h=$NF} END{print w, h, x, y}'
}
width_is() { [ "$(geometry "$main" | cut -d' ' -f1)" "$1" "$2" ]; }
# click_box <distance of its middle from the right edge>: a box of the caption.
click_box() {
  set -- $(geometry "$main") "$1"
  xdotool mousemove $(($3 + $1 - $5)) $(($4 < 0 ? 9 : $4 + 13)) click 1
}
maximize_box=29 minimize_box=43 close_box=13
frame_is() { has "^frame $1"; }
demo_ended() { ! kill -0 "$pid" 2>/dev/null; }
iconified() { xprop -id "$main" WM_STATE | grep -q Iconic; }
double_click_caption() {
  set -- $(geometry "$main")
  # The caption's middle, inside the screen even when the maximized frame reaches past it.
  y=$(($4 < 0 ? 8 : $4 + 10))
  xdotool mousemove $(($3 + $1 / 2)) "$y" click --repeat 2 --delay 100 1
}

if [ -n "$manager" ]; then
  openbox >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  wait_for "the window manager did not start: $(cat "$work/openbox.log")" \
    sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
fi

KIT_DISPLAY=sdl KIT_PROFILE_DIR="$work/profile" "$afxdemo" --state-file "$state" >"$work/demo.log" 2>&1 &
pid=$!
wait_for "the demo never wrote its state: $(cat "$work/demo.log" 2>/dev/null)" has 'active sketch'
wait_for "the demo's window is not on the screen" sh -c "xdotool search --all --pid $pid --name '^Afx demo' >/dev/null"
main=$(xdotool search --all --pid "$pid" --name '^Afx demo' | head -1)
sleep 0.5
shot start

# The size hints leave the window sizable.
hints=$(xprop -id "$main" WM_NORMAL_HINTS)
smallest=$(echo "$hints" | sed -n 's/.*minimum size: //p')
largest=$(echo "$hints" | sed -n 's/.*maximum size: //p')
[ -n "$largest" ] && [ "$smallest" = "$largest" ] && fail "the window's smallest size is its largest: $hints"

# A double click on the caption maximizes the window; another restores it.
set -- $(geometry "$main")
normal_width=$1
[ "$normal_width" -lt 1024 ] || fail "the window starts as wide as the screen ($normal_width)"
double_click_caption
wait_for "a double click on the caption did not maximize the window: $(geometry "$main")" width_is -ge 1024
sleep 0.3
shot maximized
double_click_caption
wait_for "a second double click did not restore the window: $(geometry "$main")" width_is -eq "$normal_width"
sleep 0.3
shot restored

# The maximize box maximizes the window, the restore box in its place restores it.
click_box $maximize_box
wait_for "the maximize box did not maximize the window: $(geometry "$main")" width_is -ge 1024
wait_for "the maximize box left the frame $(rect frame)" frame_is maximized
sleep 0.3
shot maximize-box
click_box $maximize_box
wait_for "the restore box did not restore the window: $(geometry "$main")" width_is -eq "$normal_width"
wait_for "the restore box left the frame $(rect frame)" frame_is normal

# The minimize box: a window manager iconifies the window and gives it back when
# asked; without one there is nowhere to put an icon, and a click on the window
# brings it back.
click_box $minimize_box
wait_for "the minimize box did not minimize the frame" frame_is minimized
if [ -n "$manager" ]; then
  wait_for "the window manager did not iconify the minimized window" iconified
  xdotool windowactivate "$main"
else
  sleep 0.3
  shot minimized
  set -- $(geometry "$main")
  xdotool mousemove $(($3 + $1 / 2)) $(($4 + $2 / 2)) click 1
fi
wait_for "the minimized window did not come back" frame_is normal
wait_for "the window came back at another size: $(geometry "$main")" width_is -eq "$normal_width"
sleep 0.3
shot restored-from-minimized

# Another program's window takes X's keyboard; a click in the demo takes it back.
KIT_DISPLAY=sdl KIT_PROFILE_DIR="$work/other-profile" "$afxdemo" >"$work/other.log" 2>&1 &
other_pid=$!
wait_for "the second demo did not show" sh -c "xdotool search --all --pid $other_pid --name '^Afx demo' >/dev/null"
other=$(xdotool search --all --pid "$other_pid" --name '^Afx demo' | head -1)
set -- $(geometry "$main")
xdotool windowmove "$other" $(($3 + $1 + 20)) "$4" 2>/dev/null || xdotool windowmove "$other" 600 300
sleep 0.5
xdotool windowfocus "$other"
wait_for "the other window never took the keyboard" sh -c "[ \"\$(xdotool getwindowfocus)\" = $other ]"
# The empty workspace, below the documents: nothing there takes the mouse for itself.
set -- $(geometry "$main")
xdotool mousemove $(($3 + $1 - 40)) $(($4 + $2 - 60)) click 1
wait_for "a click in the demo left X's keyboard with $(xdotool getwindowfocus), not $main" \
  sh -c "[ \"\$(xdotool getwindowfocus)\" = $main ]"
shot keyboard-back

# The close box ends the demo.
click_box $close_box
wait_for "the close box did not end the demo" demo_ended
echo "sizable, maximized, restored and minimized by the caption, keyboard back on a click, closed by its box${manager:+ under $manager}; screenshots in $shots"
