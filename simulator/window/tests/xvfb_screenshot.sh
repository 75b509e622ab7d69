#!/bin/sh
# Runs the simulator on the SDL display under Xvfb and keeps a screenshot of
# its shaped window. Exit 77 (skipped) only when no X server can start here.
program="$1"
bin="$2"
shot="$3"
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "skipped: xvfb-run is not installed, so no X server can start"
  exit 77
fi
if ! xvfb-run -a -s "-screen 0 1024x768x24" true >/dev/null 2>&1; then
  echo "skipped: Xvfb cannot start an X server on this machine"
  exit 77
fi
# The X and D-Bus client libraries under SDL keep memory until exit; the
# headless tests check our own leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for name in QV4700.BIN QV4700.PID dl.ini qv4700.cfs; do
  cp "$bin/$name" "$work/" || exit 1
done
mkdir -p "$(dirname "$shot")"
rm -f "$shot"
KIT_DISPLAY=sdl xvfb-run -a -s "-screen 0 1024x768x24" "$program" "$work" "$shot" 1500 || exit 1
if [ "$(head -c 8 "$shot" | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ]; then
  echo "no screenshot was written to $shot"
  exit 1
fi
echo "screenshot: $shot"
