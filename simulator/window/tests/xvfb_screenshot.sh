#!/bin/sh
# Runs the simulator on the SDL display under Xvfb and keeps a screenshot of
# its shaped window, from a copy of the files it writes back when it ends.
# Usage: xvfb_screenshot.sh <screenshot program> <kit bin folder> <screenshot.png>
program="$1"
bin="$2"
shot="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for name in QV4700.BIN QV4700.PID dl.ini qv4700.cfs; do
  cp "$bin/$name" "$work/" || exit 1
done
"$(dirname "$0")/../../../testing/xvfb-screenshot.sh" "$shot" "$program" "$work" "$shot" 1500
