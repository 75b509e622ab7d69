# Sourced by the tests that drive a program on a bare X server (Xvfb) as a
# person would, after they set `testing` (this folder) and `xvfb_tools` (the
# X tools they use). The test then runs under xvfb-run (the script is started
# again there, with its arguments) or is skipped saying what is missing. The
# test defines fail <reason>; wait_for <what failed> <command...> polls the
# command for up to 30 seconds and calls fail when it never succeeds (a slow,
# loaded machine takes its time; a test that passes never waits that long).
# keyboard_with <pid> says whether X's keyboard is with a window of that
# process: keys typed before it is (a click hands it over a moment later)
# would go elsewhere.
. "$testing/skip.sh"
for tool in xvfb-run $xvfb_tools; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed (scripts/setup installs it)"
done
if [ -z "${KIT_ON_XVFB:-}" ]; then
  xvfb-run -a -s "-screen 0 1024x768x24" true >/dev/null 2>&1 || skip "Xvfb cannot start an X server on this machine"
  # What AddressSanitizer reports (memory errors, leaks) in any program of the
  # session goes to a folder of its own and fails the test: a program the test
  # ends from outside, or one another program started, has no exit code it looks at.
  reports="$(mktemp -d)"
  KIT_ON_XVFB=1 KIT_SANITIZER_REPORTS="$reports" xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
  code=$?
  if [ -n "$(ls -A "$reports")" ]; then
    cat "$reports"/*
    echo "failed: a program of the session reported the errors above"
    code=1
  fi
  rm -rf "$reports"
  exit "$code"
fi
# Now and then a session's X server does not answer its first clients (seen
# while other sessions start beside it: the programs find no display, the
# window manager cannot open it). The session then starts again on a new
# server, a few times at most, before the test's programs are started.
display_answers() { xprop -root >/dev/null 2>&1 || xdotool getdisplaygeometry >/dev/null 2>&1; }
if ! display_answers; then
  tries=$((${KIT_XVFB_TRIES:-0} + 1))
  [ "$tries" -le 3 ] || { echo "failed: the X server of this session never answered"; exit 1; }
  echo "the X server on $DISPLAY does not answer; starting the session again"
  KIT_XVFB_TRIES=$tries exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
. "$testing/sanitizer-display.sh"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}log_path=$KIT_SANITIZER_REPORTS/report"

wait_for() {
  what="$1"
  shift
  deadline=$(($(date +%s) + 30))
  until "$@"; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "$what"
    sleep 0.1
  done
}

keyboard_with() { [ "$(xdotool getwindowfocus getwindowpid 2>/dev/null)" = "$1" ]; }
