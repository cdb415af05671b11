#!/bin/sh
# dravo-editeur FILE.lab started from elsewhere: the file's folder becomes the start folder
# (its textures show), and a file that cannot be read leaves the error box over the fresh
# labyrinth.
editor=$1
textures=$2
. "$(dirname "$0")/xvfb_lib.sh"
mkdir "$dir/jeux" "$dir/ailleurs"
cp "$textures/Briques.bmp" "$textures/sol.bmp" "$textures/plafond.bmp" "$dir/jeux/"
start_xvfb 1024x768
start_editor "$dir/ailleurs" "$dir/jeux/absent.lab"
sleep 1.5
import -window root "$dir/shot.png" || fail "screenshot"
[ "$(windows_shown)" = 2 ] || fail "no error box for a file that cannot be read"
background=$(pixel 700 634)
[ "$(pixel 669 157)" != "$background" ] || fail "the file's folder's wall texture is not shown"
[ "$(pixel 50 20)" != "$background" ] || fail "no fresh labyrinth behind the box"
echo "open a file from the command line: all passed"
