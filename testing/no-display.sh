#!/usr/bin/env bash
# A program that shows windows, started with no screen to show them on (no
# DISPLAY, or a DISPLAY where no X server answers) and without asking for the
# test display: it says so in one line and ends with 1, where it once aborted
# in the test display or ran unseen until killed; with no DISPLAY at all it
# ends within a second (asking a missing X server may take longer).
# Usage: no-display.sh <program> [argument...]
set -u
testing="$(dirname "$0")"
. "$testing/sanitizer-display.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
  echo "failed: $1"
  exit 1
}

# Runs the program with the environment's changes given before "--"; sets
# `code`, `took_ms` and `said` (what it wrote on stderr). A loaded machine may
# slow one start down, so a start that takes a second is tried twice more and
# the fastest counts.
run() {
  local tries=0 fastest=
  while [ $tries -lt 3 ]; do
    run_once "$@"
    [ -z "$fastest" ] || [ "$took_ms" -lt "$fastest" ] || took_ms=$fastest
    fastest=$took_ms
    [ "$took_ms" -ge 1000 ] || break
    tries=$((tries + 1))
  done
}
run_once() {
  local settings=()
  while [ "$1" != -- ]; do
    settings+=("$1")
    shift
  done
  shift
  local start=$(date +%s%N)
  env -u DISPLAY -u WAYLAND_DISPLAY -u KIT_DISPLAY -u SDL_VIDEODRIVER "${settings[@]}" \
    KIT_PROFILE_DIR="$work/profile" timeout 10 "$@" >"$work/out" 2>"$work/err" </dev/null
  code=$?
  took_ms=$((($(date +%s%N) - start) / 1000000))
  said="$(cat "$work/err")"
}

for case in "no DISPLAY" "DISPLAY without an X server"; do
  if [ "$case" = "no DISPLAY" ]; then
    run -- "$@"
  else
    run DISPLAY=:9876 -- "$@"
  fi
  [ "$code" -eq 1 ] || fail "$case: ended with $code, not 1 ($said)"
  [ "$case" != "no DISPLAY" ] || [ "$took_ms" -lt 1000 ] || fail "$case: took $took_ms ms"
  [ "$(printf '%s\n' "$said" | wc -l)" -eq 1 ] && [ -n "$said" ] || fail "$case: said not one line but: $said"
  printf '%s\n' "$said" | grep -q "DISPLAY\|screen" || fail "$case: does not say a display is missing: $said"
  [ ! -s "$work/out" ] || fail "$case: wrote on stdout: $(cat "$work/out")"
  echo "$case: \"$said\" in $took_ms ms"
done
