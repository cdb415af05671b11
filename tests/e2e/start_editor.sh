#!/bin/sh
# Starts the real dravo-editeur under Xvfb in a fresh start folder holding the three
# default textures, waits for its window and checks a few pixels of a screenshot: a wall
# drawn on the grid, an empty room letting the background through, a texture shown.
editor=$1
textures=$2
. "$(dirname "$0")/xvfb_lib.sh"
cp "$textures/Briques.bmp" "$textures/sol.bmp" "$textures/plafond.bmp" "$dir/"
start_xvfb 1024x768
start_editor "$dir"
sleep 1.5 # let the first paint land
import -window root "$dir/shot.png" || fail "screenshot"

background=$(pixel 700 634)
room=$(pixel 50 50)          # empty room (0,0): transparent
wall=$(pixel 50 20)          # horizontal wall above room (0,0)
vwall=$(pixel 20 50)         # vertical wall left of room (0,0)
texture=$(pixel 669 157)     # middle of the wall texture TM
echo "background $background, empty room $room, wall $wall / $vwall, wall texture $texture"
[ "$room" = "$background" ] || fail "the empty room is not transparent ($room vs $background)"
[ "$wall" != "$background" ] || fail "no wall drawn at the top of the grid"
[ "$vwall" != "$background" ] || fail "no wall drawn at the left of the grid"
[ "$texture" != "$background" ] || fail "no wall texture shown"
# With its textures in place the editor shows no error box: one window only.
windows=$(windows_shown)
[ "$windows" = 1 ] || fail "$windows windows shown, an error box among them?"
echo "end-to-end start: all passed"
