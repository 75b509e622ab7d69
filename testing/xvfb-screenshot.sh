#!/bin/sh
# Runs a program on the SDL display under Xvfb and checks the screenshot it
# was asked to write against the headless rendering of the same window.
# Usage: xvfb-screenshot.sh <png_compare> <screenshot.png> <allowed differing pixels> <program> [argument...]
# The program runs twice: headless first, with each argument that is the
# screenshot's path changed to <screenshot>-headless.png, then on the screen.
# Exit 77 (skipped) only when no X server can be started here, saying why;
# with KIT_SKIPS_FAIL=1 (scripts/test, CI) that is a failure instead.
compare="$1"
shot="$2"
allowed="$3"
shift 3
reference="${shot%.png}-headless.png"
. "$(dirname "$0")/skip.sh"
command -v xvfb-run >/dev/null 2>&1 || skip "xvfb-run is not installed, so no X server can start"
xvfb-run -a -s "-screen 0 1024x768x24" true >/dev/null 2>&1 || skip "Xvfb cannot start an X server on this machine"
testing="$(dirname "$0")"
. "$testing/sanitizer-display.sh"
# A profile of the run's own, so a test never touches the user's settings.
profile="$(mktemp -d)"
trap 'rm -rf "$profile"' EXIT
mkdir -p "$(dirname "$shot")"
rm -f "$shot" "$reference"

# The headless run: the same command with the reference in place of the screenshot.
program="$1"
shift
for argument in "$@"; do
  shift
  if [ "$argument" = "$shot" ]; then set -- "$@" "$reference"; else set -- "$@" "$argument"; fi
done
KIT_DISPLAY=headless KIT_PROFILE_DIR="$profile" "$program" "$@" || { echo "the headless run failed"; exit 1; }
[ -f "$reference" ] || { echo "the headless run wrote no picture to $reference"; exit 1; }
for argument in "$@"; do
  shift
  if [ "$argument" = "$reference" ]; then set -- "$@" "$shot"; else set -- "$@" "$argument"; fi
done
rm -rf "$profile" && mkdir -p "$profile"
KIT_DISPLAY=sdl KIT_PROFILE_DIR="$profile" xvfb-run -a -s "-screen 0 1024x768x24" "$program" "$@" || exit 1
[ -f "$shot" ] || { echo "no screenshot was written to $shot"; exit 1; }
echo "screenshot: $shot; headless rendering: $reference"
"$compare" "$reference" "$shot" "$allowed"
