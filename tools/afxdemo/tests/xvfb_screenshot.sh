#!/bin/sh
# Runs afxdemo on the SDL display under Xvfb and keeps a screenshot.
# Exit 77 (skipped) only when no X server can be started here, saying why.
demo="$1"
shot="$2"
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "skipped: xvfb-run is not installed, so no X server can start"
  exit 77
fi
if ! xvfb-run -a -s "-screen 0 1024x768x24" true >/dev/null 2>&1; then
  echo "skipped: Xvfb cannot start an X server on this machine"
  exit 77
fi
# The X client libraries under SDL keep memory until exit; under
# AddressSanitizer that is not ours to report. The headless test checks our leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
mkdir -p "$(dirname "$shot")"
rm -f "$shot"
KIT_DISPLAY=sdl KIT_PROFILE_DIR="$(mktemp -d)" xvfb-run -a -s "-screen 0 1024x768x24" "$demo" --screenshot "$shot" || exit 1
# A PNG starts with its eight-byte signature.
if [ "$(head -c 8 "$shot" | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ]; then
  echo "no screenshot was written to $shot"
  exit 1
fi
echo "screenshot: $shot"
