#!/bin/sh
# The debug run of corvel_debug_screen on an X server with a window manager
# (openbox), as most people run it: the simulator's window takes the focus when
# it comes up, the stop at the breakpoint must bring Corvel back in front with
# the keyboard, and the debug windows open by their keys. The window that has
# stop leaves Corvel active; the screenshot is kept for CI.
# Usage: xvfb_debug_openbox.sh <corvel_debug_screen> <screenshot.png>
program="$1"
shot="$2"
testing="$(dirname "$0")/../../../../testing"
xvfb_tools="openbox xprop"
. "$testing/xvfb-session.sh"

work="$(mktemp -d)"
trap 'kill "$wm" 2>/dev/null; rm -rf "$work"' EXIT
fail() {
  echo "failed: $1"
  exit 1
}
mkdir -p "$(dirname "$shot")" "$work/profile"
rm -f "$shot"
openbox >"$work/openbox.log" 2>&1 &
wm=$!
wait_for "the window manager did not start: $(cat "$work/openbox.log")" \
  sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' 
KIT_DISPLAY=sdl KIT_PROFILE_DIR="$work/profile" "$program" --screenshot "$shot" || fail "the debug run under openbox"
[ -f "$shot" ] || fail "no screenshot was written to $shot"
echo "screenshot: $shot"
