#!/bin/sh
# Starts the real dravo-editeur under Xvfb on screens of several sizes and desktop scale
# factors, and checks where its window lands: whole on the screen, centred, scaled down
# only when it would not fit, and never below 1:1 on a screen that holds it.
set -u
editor=$1
textures=$2
dir=$(mktemp -d)
xvfb_pid=""
editor_pid=""
stop() {
  [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null && wait "$editor_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  editor_pid="" xvfb_pid=""
}
trap 'stop; rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
cp "$textures/Briques.bmp" "$textures/sol.bmp" "$textures/plafond.bmp" "$dir/"
unset QT_QPA_PLATFORM QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
export HOME="$dir" XDG_CONFIG_HOME="$dir/.config"

# screen  QT_SCALE_FACTOR  expected window: width height left top
while read -r screen factor want_w want_h want_x want_y; do
  display=""
  for n in $(seq 200 259); do
    if [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
  done
  [ -n "$display" ] || fail "no free X display"
  Xvfb "$display" -screen 0 "${screen}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY="$display"
  i=0
  until xdpyinfo >/dev/null 2>&1; do
    i=$((i + 1)); [ $i -lt 100 ] || fail "Xvfb did not start"; sleep 0.1
  done
  (cd "$dir" && export QT_SCALE_FACTOR="$factor" && exec "$editor") >"$dir/editor.log" 2>&1 &
  editor_pid=$!
  win=$(timeout 30 xdotool search --sync --onlyvisible --pid "$editor_pid" --name '^Dravo-Editeur$' | head -1)
  [ -n "$win" ] || { cat "$dir/editor.log"; fail "$screen at $factor: no window"; }
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$win")"
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
