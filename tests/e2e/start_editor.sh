#!/bin/sh
# Starts the real dravo-editeur under Xvfb in a fresh start folder holding the three
# default textures, waits for its window and checks a few pixels of a screenshot: a wall
# drawn on the grid, an empty room letting the background through, a texture shown.
set -u
editor=$1
textures=$2
dir=$(mktemp -d)
xvfb_pid=""
editor_pid=""
cleanup() {
  [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

cp "$textures/Briques.bmp" "$textures/sol.bmp" "$textures/plafond.bmp" "$dir/"
display=""
for n in $(seq 140 199); do
  if [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || fail "no free X display"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
unset QT_QPA_PLATFORM
export HOME="$dir" XDG_CONFIG_HOME="$dir/.config" XDG_CACHE_HOME="$dir/.cache"
i=0
until xdpyinfo >/dev/null 2>&1; do
  i=$((i + 1)); [ $i -lt 100 ] || fail "Xvfb did not start"; sleep 0.1
done

(cd "$dir" && exec "$editor") >"$dir/editor.log" 2>&1 &
editor_pid=$!
timeout 30 xdotool search --sync --onlyvisible --pid "$editor_pid" --name 'Dravo-Editeur' >/dev/null \
  || fail "no editor window within 30 s"
sleep 1.5 # let the first paint land
import -window root "$dir/shot.png" || fail "screenshot"

pixel() { convert "$dir/shot.png" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:; }
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
root=$(printf '%d' "$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')")
windows=$(xdotool search --onlyvisible --pid "$editor_pid" --name '.*' | grep -vx "$root" | wc -l)
[ "$windows" = 1 ] || fail "$windows windows shown, an error box among them?"
echo "end-to-end start: all passed"
