#!/bin/sh
# Runs a program on the SDL display under Xvfb and checks the screenshot it
# was asked to write. Usage: xvfb-screenshot.sh <screenshot.png> <program> [argument...]
# Exit 77 (skipped) only when no X server can be started here, saying why;
# with KIT_SKIPS_FAIL=1 (scripts/test, CI) that is a failure instead.
shot="$1"
shift
skip() {
  if [ "${KIT_SKIPS_FAIL:-}" = 1 ]; then
    echo "failed: $1 (a skip fails this run: KIT_SKIPS_FAIL=1)"
    exit 1
  fi
  echo "skipped: $1"
  exit 77
}
command -v xvfb-run >/dev/null 2>&1 || skip "xvfb-run is not installed, so no X server can start"
xvfb-run -a -s "-screen 0 1024x768x24" true >/dev/null 2>&1 || skip "Xvfb cannot start an X server on this machine"
# The X and D-Bus client libraries under SDL keep memory until exit; under
# AddressSanitizer that is not ours to report. The headless tests check our leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
# A profile of the run's own, so a test never touches the user's settings.
profile="$(mktemp -d)"
trap 'rm -rf "$profile"' EXIT
mkdir -p "$(dirname "$shot")"
rm -f "$shot"
KIT_DISPLAY=sdl KIT_PROFILE_DIR="$profile" xvfb-run -a -s "-screen 0 1024x768x24" "$@" || exit 1
# A PNG starts with its eight-byte signature.
if [ "$(head -c 8 "$shot" | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ]; then
  echo "no screenshot was written to $shot"
  exit 1
fi
echo "screenshot: $shot"
