#!/bin/sh
# Corvel on a bare X server (Xvfb) with the SDL display: File > New Text (a
# click on File, then T) over the sample's source, which fills the window area,
# opens the new text in its place; the source steps back to its own size
# below it, and nothing of it (its caption, its green comment) is painted over
# the new, empty text.
# Screenshot kept for CI.
# Usage: xvfb_new_text.sh <Corvel> <sample workspace folder> <screenshot folder>
shot_name=corvel-new-text
. "$(dirname "$0")/xvfb_corvel.sh"

# The first lines of the window area: the source's green comment while it is
# maximized, its grey caption were it painted over the text in front of it.
source_shows() { shows 300 92 400 12 '#008000' || shows 300 92 400 12 '#808080'; }
text_whole() { ! source_shows; }

start_corvel --nosplash
wait_drawn
wait_for "the source's first line is not on the screen" source_shows
# The keyboard goes to the main window with the click that opens the File menu.
xdotool mousemove 45 32 click 1
sleep 0.5
xdotool key t
wait_for "the source shows over the new text" text_whole
shot shown
echo "the new text shows whole over the source; screenshot in $shots"
