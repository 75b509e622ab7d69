# Sourced by the scripts that drive the frame lab on an X server, after they
# set `framelab`, `shots` (the screenshot folder) and `shot_prefix`: the X
# session, a work folder with a profile, the layout file the lab keeps, and
# helpers. fail <reason>; shot <step>; has/lacks <pattern> in the layout;
# place <pattern>: "left top right bottom" of the first layout line matching,
# in frame client coordinates; shows, drawn, start_lab and drag below.
testing="$(dirname "$0")/../../../testing"
xvfb_tools="${xvfb_tools:-xdotool import convert}"
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
# shows <#RRGGBB>... <left top right bottom>: whether that place (frame client coordinates), as the
# screen shows it, has pixels of every colour named; a window mapped but never drawn has none.
shows() {
  colours=""
  while [ "${1#\#}" != "$1" ]; do
    colours="$colours $1"
    shift
  done
  [ -n "$4" ] || return 1
  import -window root -crop "$(($3 - $1))x$(($4 - $2))+$((ox + $1))+$((oy + $2))" +repage "$work/part.png" \
    2>/dev/null || return 1
  convert "$work/part.png" txt:- >"$work/part.txt" 2>/dev/null || return 1
  for colour in $colours; do
    grep -qi "$colour" "$work/part.txt" || return 1
  done
}
# drawn <what> <layout pattern> <#RRGGBB>...: waits until the place of the first layout line
# matching shows the colours.
drawn() {
  what="$1"
  pattern="$2"
  shift 2
  wait_for "$what is not drawn on the screen (no $* in it)" shows "$@" $(place "$pattern")
}
# start_lab <scenario> <pattern> [argument...]: the lab on the SDL display with the arguments,
# waited for until its layout has the pattern; sets pid, and ox, oy: the frame's client origin on
# the screen.
start_lab() {
  scenario="$1"
  pattern="$2"
  shift 2
  rm -f "$layout"
  KIT_DISPLAY=sdl KIT_PROFILE_DIR="$work/profile" "$framelab" --scenario "$scenario" --layout-file "$layout" "$@" \
    >"$work/lab.log" 2>&1 &
  pid=$!
  wait_for "the lab never wrote its layout: $(cat "$work/lab.log" 2>/dev/null)" has "$pattern"
  wait_for "X does not show the lab's window" lab_mapped
  read_origin
}
lab_mapped() { [ -n "$(xdotool search --onlyvisible --name '^Frame lab' 2>/dev/null)" ]; }
# The frame's client origin on the screen as the lab last wrote it (a window manager may move the
# window as it maps it).
read_origin() {
  set -- $(sed -n 's/^origin //p' "$layout")
  ox="$1"
  oy="$2"
}
# drag <x1> <y1> <x2> <y2> [key]: a press, a move in steps and a release, in screen coordinates,
# with the key held throughout when one is given.
drag() {
  xdotool mousemove "$1" "$2" && sleep 0.2
  if [ -n "${5:-}" ]; then xdotool keydown "$5"; fi
  xdotool mousedown 1 && sleep 0.2
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $(($1 + ($3 - $1) * step / 8)) $(($2 + ($4 - $2) * step / 8))
    sleep 0.05
  done
  sleep 0.2
  xdotool mouseup 1
  if [ -n "${5:-}" ]; then xdotool keyup "$5"; fi
}
