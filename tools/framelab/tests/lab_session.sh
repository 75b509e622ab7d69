# Sourced by the scripts that drive the frame lab on a bare X server, after
# they set `shots` (the screenshot folder) and `shot_prefix`: the X session,
# a work folder with a profile, the layout file the lab keeps, and helpers.
# fail <reason>; shot <step>; has/lacks <pattern> in the layout;
# place <pattern>: "left top right bottom" of the first layout line matching,
# in frame client coordinates.
testing="$(dirname "$0")/../../../testing"
xvfb_tools="${xvfb_tools:-xdotool import}"
. "$testing/xvfb-session.sh"

work="$(mktemp -d)"
trap 'kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$shots" "$work/profile"
layout="$work/layout.txt"
fail() {
  echo "failed: $1"
  [ -f "$layout" ] && cat "$layout"
  kill -0 "$pid" 2>/dev/null || echo "the lab had ended: $(cat "$work/lab.log")"
  import -window root "$shots/$shot_prefix-failed.png" 2>/dev/null
  exit 1
}
shot() { import -window root "$shots/$shot_prefix-$1.png" || fail "no screenshot of $1"; }
has() { grep -q "$1" "$layout" 2>/dev/null; }
lacks() { ! grep -q "$1" "$layout" 2>/dev/null; }
place() { grep -m1 "$1" "$layout" | sed -n 's/.*(\(-*[0-9]*\),\(-*[0-9]*\))-(\(-*[0-9]*\),\(-*[0-9]*\)).*/\1 \2 \3 \4/p'; }
