#!/bin/sh
# Runs Corvel on a fresh copy of the sample workspace, so that text the keys type
# and Corvel saves at its close never reaches a file another run reads.
# Usage: xvfb_fresh_sample.sh <Corvel> <sample folder> [Corvel argument...]
corvel="$1"
sample="$2"
shift 2
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$sample/HELLO.WSP" "$sample/HELLO.PRJ" "$sample/hello.asm" "$work/" || exit 1
"$corvel" "$@" "$work/HELLO.WSP" "$work/hello.asm"
