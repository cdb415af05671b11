#!/bin/sh
# The corridor drawn as a person would, with the legend's brush and the grid's keys, then
# saved with Ctrl+S through the save dialog; the file written must be the expected one.
# The corridor: start in A1, a red key in C1, the partitions along the top row open, a red
# door between F1 and G1, the exit on the east side of J1.
editor=$1
textures=$2
expected=$3
. "$(dirname "$0")/xvfb_lib.sh"
cp "$textures/Briques.bmp" "$textures/sol.bmp" "$textures/plafond.bmp" "$dir/"
start_xvfb 1024x768
start_editor "$dir"
sleep 1

# Window points: the grid starts at (10, 10), a room (col, lig) has its middle at
# (col*60+50, lig*60+50), the partition at its left at (col*60+20, lig*60+50).
click() { xdotool mousemove --sync "$1" "$2" click 1; sleep 0.3; }
key() { xdotool key --delay 80 "$@"; sleep 0.3; }
presses=0
press() { presses=$((presses + 1)); }

press; click 309 688               # legend: Départ
press; click 50 50                 # A1
press; click 403 698               # the key's colour choice...
press; key Down Down Down Down Return # ...red
press; click 170 50                # C1
press; click 188 726               # legend: Ouvert
press                              # one stroke along the top row, A1|B1 to I1|J1
xdotool mousemove --sync 80 50 mousedown 1
for x in 120 160 200 240 280 320 360 400 440 480 520 560; do
  xdotool mousemove --sync "$x" 50; sleep 0.05
done
xdotool mouseup 1; sleep 0.3
press; click 160 726               # the door's colour choice...
press; key Down Down Down Down Return # ...red
press; click 380 50                # F1|G1
[ "$presses" -le 12 ] || fail "$presses presses"
# The keyboard: from C1 (selected by its press) to J1, then its east partition stepped back
# three times: wall, open, grille, exit.
key Right Right Right Right Right Right Right
key ctrl+Right ctrl+Right ctrl+Right

key ctrl+s
sleep 1
xdotool type --delay 30 "$dir/couloir.lab"
key Return
i=0
until [ -s "$dir/couloir.lab" ]; do
  i=$((i + 1)); [ $i -lt 50 ] || fail "no file saved"
  sleep 0.1
done
sleep 0.5
cmp "$dir/couloir.lab" "$expected" || {
  diff "$dir/couloir.lab" "$expected" | head -20
  fail "the saved corridor differs from the expected file"
}
echo "corridor drawn with the brush and the keys: all passed"
