#!/bin/sh
# Runs the simulator's screenshot program from a fresh copy of the files the
# simulator writes back when it ends, so that every run starts alike, and has
# it take the picture once the device has run 4 million cycles: booted, its
# screen drawn and the LCD refreshed a few times.
# Usage: xvfb_screenshot.sh <screenshot program> <kit bin folder> <screenshot.png>
program="$1"
bin="$2"
shot="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for name in QV4700.BIN QV4700.PID dl.ini qv4700.cfs; do
  cp "$bin/$name" "$work/" || exit 1
done
"$program" "$work" "$shot" 4000000
