#!/bin/sh
# The headless command line with a screenshot: the program ends by itself,
# and its picture is the main window, drawn (its size and more colours than
# a blank rectangle has).
# Usage: headless_screenshot.sh <windemo> <png_compare> <screenshot.png>
# A profile of the run's own, so a test never touches the user's settings.
profile="$(mktemp -d)"
trap 'rm -rf "$profile"' EXIT
mkdir -p "$(dirname "$3")"
rm -f "$3"
KIT_DISPLAY=headless KIT_PROFILE_DIR="$profile" "$1" --quit-after 500 --screenshot "$3" || exit 1
"$2" --shows "$3" 360 240 5
