#!/bin/sh
# Starts the real dravo-editeur under Xvfb on screens of several sizes and desktop scale
# factors, and checks where its window lands: whole on the screen, centred, scaled down
# only when it would not fit, and never below 1:1 on a screen that holds it.
editor=$1
textures=$2
. "$(dirname "$0")/xvfb_lib.sh"
cp "$textures/Briques.bmp" "$textures/sol.bmp" "$textures/plafond.bmp" "$dir/"

# screen  QT_SCALE_FACTOR  expected window: width height left top
while read -r screen factor want_w want_h want_x want_y; do
  start_xvfb "$screen"
  export QT_SCALE_FACTOR="$factor"
  start_editor "$dir"
  # The window may still be settling (centred, or restarted at a lower scale) when it
  # first maps: look again for a while before calling it wrong.
  tries=0
  while :; do
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$win")"
    [ "$WIDTH $HEIGHT $X $Y" = "$want_w $want_h $want_x $want_y" ] && break
    tries=$((tries + 1))
    [ $tries -ge 20 ] && break
  done
  echo "$screen at $factor: window ${WIDTH}x$HEIGHT at $X,$Y"
  [ "$WIDTH $HEIGHT $X $Y" = "$want_w $want_h $want_x $want_y" ] \
    || fail "$screen at $factor: ${WIDTH}x$HEIGHT at $X,$Y, not ${want_w}x$want_h at $want_x,$want_y"
  stop
done <<'CASES'
1920x1080 1.5 1440 1080 240 0
1600x1200 1 1024 768 288 216
1920x1080 1 1024 768 448 156
1024x768 1 1024 768 0 0
1024x700 1 933 700 46 0
CASES
echo "fit to the screen: all passed"
