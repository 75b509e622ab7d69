#!/usr/bin/env bash
# The front end's answers without a device: a missing port is named, a
# missing file is result 5, a bad command line is 64.
set -u
tool="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$tool" >/dev/null 2>&1; [ $? -eq 64 ] || fail "no arguments should give 64"
"$tool" --bogus x >/dev/null 2>&1; [ $? -eq 64 ] || fail "an unknown option should give 64"

"$tool" --port "$dir/parport9" "$dir/none.bin" 2>"$dir/err"; code=$?
[ $code -eq 5 ] || fail "a missing file should give 5, got $code"
grep -q "none.bin" "$dir/err" || fail "the message should name the file: $(cat "$dir/err")"

# A good image, but no port there.
{ head -c 40963 /dev/zero; printf "\xA5\xAA\x55\x02\x00"; head -c 16376 /dev/zero; } > "$dir/game.bin"
[ "$(stat -c %s "$dir/game.bin")" -eq 57344 ] || fail "fixture size"
"$tool" --port "$dir/parport9" "$dir/game.bin" 2>"$dir/err"; code=$?
[ $code -eq 1 ] || fail "no port should give 1, got $code"
grep -q "no parallel port at '$dir/parport9'" "$dir/err" || fail "the message should say there is no port: $(cat "$dir/err")"

# A regular file is not a port.
: > "$dir/notaport"
"$tool" --port "$dir/notaport" "$dir/game.bin" 2>"$dir/err"; code=$?
[ $code -eq 1 ] || fail "a plain file as port should give 1, got $code"
grep -q "is not a parallel port" "$dir/err" || fail "$(cat "$dir/err")"
echo ok
