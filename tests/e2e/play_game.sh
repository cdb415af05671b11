#!/bin/sh
# dravo-joueur under Xvfb as a pupil plays: a labyrinth of two rooms, the start south of a
# room whose north side is the exit. Return begins, two steps forward leave, and on the end
# card Tab then Return choose Quitter: the program ends by itself with status 0.
player=$1
textures=$2
. "$(dirname "$0")/xvfb_lib.sh"
mkdir "$dir/jeu"
cp "$textures/Briques.bmp" "$textures/sol.bmp" "$textures/plafond.bmp" "$dir/jeu/"

# The labyrinth file: every partition a wall but the two named, every room empty but the
# start (kinds: 0 open, 9 exit; 8 start).
lab="$dir/jeu/monde_1.lab"
{
  printf 'TITRE=La sortie\r\nMISSION\r\nDeux pas vers le nord.\r\n/MISSION\r\n'
  printf 'MESSAGE\r\nGagn\351 !\r\n/MESSAGE\r\n' # 1252
  for k in SAM SPA SPO STE SCO; do printf '%s=\r\n' "$k"; done
  printf 'TM=Briques.bmp\r\nTS=sol.bmp\r\nTP=plafond.bmp\r\n'
  lig=0
  while [ $lig -le 10 ]; do
    col=0
    while [ $col -le 9 ]; do
      kind=1
      [ $col = 0 ] && [ $lig = 0 ] && kind=9
      [ $col = 0 ] && [ $lig = 1 ] && kind=0
      printf 'C=%d,%d,0,%d\r\n' $col $lig $kind
      col=$((col + 1))
    done
    lig=$((lig + 1))
  done
  lig=0
  while [ $lig -le 9 ]; do
    col=0
    while [ $col -le 10 ]; do printf 'C=%d,%d,1,1\r\n' $col $lig; col=$((col + 1)); done
    lig=$((lig + 1))
  done
  lig=0
  while [ $lig -le 9 ]; do
    col=0
    while [ $col -le 9 ]; do
      kind=0
      [ $col = 0 ] && [ $lig = 1 ] && kind=8
      printf 'S=%d,%d,%d\r\n\r\n\r\n\r\n\r\n\r\n\r\n00000\r\n\r\n\r\n' $col $lig $kind
      col=$((col + 1))
    done
    lig=$((lig + 1))
  done
} >"$lab"

start_xvfb 1024x768
(cd "$dir" && exec "$player" jeu) >"$dir/player.log" 2>&1 &
editor_pid=$!
win=$(timeout 30 xdotool search --sync --onlyvisible --pid "$editor_pid" --name '^La sortie – Dravo$' | head -1)
[ -n "$win" ] || { cat "$dir/player.log"; fail "no window titled with the labyrinth within 30 s"; }
# Keys go where the pointer is: no window manager gives the focus here.
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 20))
sleep 1
press() { xdotool key "$1"; sleep 0.6; }
press Return
import -window root "$dir/shot.png" || fail "screenshot"
# The view, drawn: the middle of the window is not the black around it.
[ "$(pixel $((X + WIDTH / 2)) $((Y + HEIGHT / 3)))" != "0,0,0" ] || fail "no view drawn"
press Up
press Up
press Tab
press Return
i=0
while kill -0 "$editor_pid" 2>/dev/null; do
  i=$((i + 1))
  [ $i -lt 100 ] || { cat "$dir/player.log"; fail "the end card's Quitter did not end the game"; }
  sleep 0.1
done
wait "$editor_pid"
status=$?
editor_pid=""
[ "$status" = 0 ] || { cat "$dir/player.log"; fail "status $status"; }
echo "end-to-end game: all passed"
