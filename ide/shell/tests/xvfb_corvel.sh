# Sourced by the scripts that drive Corvel on a bare X server (Xvfb) with the
# SDL display as a person would, started as
#   <script> <Corvel> <sample workspace folder> <screenshot folder> [openbox]
# after they set `shot_name` (their screenshots' prefix, to which "-openbox" is
# added under the window manager); `xvfb_more_tools` names X tools they need
# besides xdotool, xwininfo, import and convert. The script is started
# again under xvfb-run, or skipped saying what is missing. It then works on a
# fresh copy of the sample ($work) with an empty profile and a runtime folder
# of its own (Corvel and the simulator it starts meet there), and has:
#   start_window_manager     openbox, up before Corvel starts
#   start_corvel [argument...] Corvel ($pid) on the copy's workspace and source,
#                            waited for until its main window ($corvel_window) shows
#   wait_drawn               waits until the main window's status bar is drawn
#   fail <reason>            says why, with the windows and Corvel's log, keeps
#                            a screenshot <shot_name>-failed.png and ends the test
#   shot <what>              keeps the screen as <shot_name>-<what>.png
#   shows <x> <y> <width> <height> <#RRGGBB>  whether the screen has the colour there
#   named_window <name>      the id of a shown window with that title (regular expression)
#   corvel_ended             whether Corvel has ended
#   run_to_breakpoint        a first debug run by keys (and a click that gives the
#                            simulator the keyboard for F1), up to the stop at the
#                            first instruction ($simulator: the simulator's window)
#   mark_on_line <line>      whether the current-line mark shows on that line
#   simulator_gone           whether the simulator's window has gone
corvel="$1"
sample="$2"
shots="$3"
with_wm="${4:-}"
shot_name="$shot_name${with_wm:+-$with_wm}"
[ -z "$with_wm" ] || xvfb_more_tools="${xvfb_more_tools:-} openbox xprop"
testing="$(dirname "$0")/../../../testing"
xvfb_tools="xdotool xwininfo import convert ${xvfb_more_tools:-}"
. "$testing/xvfb-session.sh"

work="$(mktemp -d)"
pid=""
wm=""
trap '[ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null; [ -z "$wm" ] || kill "$wm" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$shots" "$work/profile"
cp "$sample/HELLO.WSP" "$sample/HELLO.PRJ" "$sample/hello.asm" "$work/"
# Made by the kit itself, closed to others as it wants it.
export QVKIT_RUNTIME_DIR="$work/run"

fail() {
  echo "failed: $1"
  xwininfo -root -children 2>/dev/null
  [ -z "$pid" ] || kill -0 "$pid" 2>/dev/null || echo "Corvel had ended: $(cat "$work/corvel.log")"
  [ -z "$wm" ] || kill -0 "$wm" 2>/dev/null || echo "the window manager had ended: $(cat "$work/openbox.log")"
  import -window root "$shots/$shot_name-failed.png" 2>/dev/null
  exit 1
}
shot() { import -window root "$shots/$shot_name-$1.png" || fail "no screenshot ($1)"; }
shows() {
  import -window root -crop "${3}x$4+$1+$2" +repage "$work/part.png" 2>/dev/null &&
    convert "$work/part.png" txt:- 2>/dev/null | grep -qi "$5"
}
# A window manager puts the programs' windows into frames of its own, so
# windows are found by their titles rather than among the root's children.
named_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
main_shown() { test -n "$(named_window '^Corvel')"; }
# The main window's status bar, whole at the bottom of the screen, in its face grey.
status_bar_drawn() { shows 0 744 1024 24 '#C0C0C0'; }
corvel_ended() { ! kill -0 "$pid" 2>/dev/null; }

wm_started() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
start_window_manager() {
  openbox >"$work/openbox.log" 2>&1 &
  wm=$!
  wait_for "the window manager did not start" wm_started
}
start_corvel() {
  KIT_DISPLAY=sdl KIT_PROFILE_DIR="$work/profile" "$corvel" "$@" "$work/HELLO.WSP" "$work/hello.asm" \
    >"$work/corvel.log" 2>&1 &
  pid=$!
  wait_for "the main window never showed" main_shown
  corvel_window="$(named_window '^Corvel')"
}
wait_drawn() { wait_for "the main window is mapped but not drawn (no status bar at the bottom of the screen)" status_bar_drawn; }

# A message box bears the program's name, which the main window's name starts with.
question_shown() { xdotool search --onlyvisible --name '^Corvel$' | grep -qvx "$corvel_window"; }
simulator_shown() { test -n "$(named_window '^VYRSim$')"; }
simulator_gone() { ! simulator_shown; }
built() { test -f "$work/DEBUG/HELLO.BIN"; }
# The build buttons of the toolbar, dark red while enabled (no build runs).
build_enabled() { shows 214 50 56 16 '#800000'; }
# The step buttons of the toolbar, navy while enabled (the run is stopped).
steps_enabled() { shows 740 50 60 16 '#000080'; }
# The current-line mark (a yellow arrow) in the source window's gutter, in the
# band of one line: the first instruction (line 16) or one below it.
mark_on_line() { shows 242 $((314 + 15 * ($1 - 16))) 16 14 '#FFFF00'; }

# A long text in the status bar's message pane ("Ready" ends far to the left of
# it): once the program is in the simulator, how to start it.
start_hint_shown() { shows 100 752 400 14 '#000000'; }

# "<x> <y> <width> <height>" of the main window on the screen.
place() {
  xwininfo -id "$corvel_window" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /^ *Width:/{w=$NF} /^ *Height:/{h=$NF} END{print x, y, w, h}'
}
maximized_past_the_edges() { [ "$(place)" = "-4 -4 1032 776" ]; }
restored() { set -- $(place); [ "$3" -lt 1024 ]; }

# F9 on the first line puts a breakpoint there, F5 asks to build the program
# that was never built, Enter builds it, F5 starts the simulator and, once the
# program is downloaded, the status bar says to start it there; F1 on the
# simulator starts it, and the run stops at the first instruction below the
# comment, where the breakpoint moved.
run_to_breakpoint() {
  # Without a window manager the keyboard goes to the window under the pointer:
  # over the source window, where the simulator will come up too.
  xdotool mousemove 600 300
  sleep 0.5
  xdotool key F9
  sleep 0.5
  xdotool key F5
  wait_for "F5 on a program never built did not ask to build it" question_shown
  xdotool key Return
  wait_for "Yes to the question built nothing" built
  wait_for "the build did not end" build_enabled
  xdotool key F5
  wait_for "F5 started no simulator" simulator_shown
  wait_for "the status bar never said to start the downloaded program" start_hint_shown
  shot waiting
  simulator="$(named_window '^VYRSim$')"
  eval "$(xdotool getwindowgeometry --shell "$simulator")"
  # F1 is for the simulator, but a window manager may have left the keyboard with Corvel: a
  # click on the LCD (no key there) gives it to the simulator, and F1 waits until it has it.
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 4)) click 1
  wait_for "X's keyboard did not come to the simulator" keyboard_with "$(xdotool getwindowpid "$simulator")"
  xdotool keydown F1
  sleep 0.3
  xdotool keyup F1
  wait_for "no current-line mark at the breakpoint" mark_on_line 16
  wait_for "the step buttons stay disabled at the stop" steps_enabled
}
