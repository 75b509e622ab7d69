#!/bin/sh
# The workspace Corvel opens from scripts/run: the sample's files the first
# time, the workspace first in the list; the next time the same folder as the
# user left it (a changed source, the breakpoint file), nothing copied over it.
# Usage: user_workspace_kept.sh <samples folder>
samples="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
  echo "failed: $1"
  exit 1
}
folder="$work/workspace/hello"
first="$("$samples/user-workspace" hello "$folder")" || fail "the first copy"
[ "$first" = "$(printf '%s\n%s' "$folder/HELLO.WSP" "$folder/hello.asm")" ] || fail "the files opened: $first"
cmp -s "$samples/hello/hello.asm" "$folder/hello.asm" || fail "the source was not copied"

echo "; the user's line" >>"$folder/hello.asm"
printf 'breakpoints' >"$folder/HELLO.EXW"
cp "$folder/hello.asm" "$work/changed.asm"
second="$("$samples/user-workspace" hello "$folder")" || fail "the second run"
[ "$second" = "$first" ] || fail "the files opened the second time: $second"
cmp -s "$work/changed.asm" "$folder/hello.asm" || fail "the user's change to the source was lost"
[ "$(cat "$folder/HELLO.EXW")" = breakpoints ] || fail "the breakpoint file was lost"
echo "the user's workspace was made once and kept"
