# Shared by the end-to-end scripts (sourced, POSIX sh): a temporary folder $dir that stands
# for the home too, a private Xvfb, the editor started in it, and clean-up at exit.
set -u
dir=$(mktemp -d)
xvfb_pid=""
editor_pid=""
export HOME="$dir" XDG_CONFIG_HOME="$dir/.config" XDG_CACHE_HOME="$dir/.cache"
unset QT_QPA_PLATFORM QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
stop() {
  [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null && wait "$editor_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  editor_pid="" xvfb_pid=""
}
trap 'stop; rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# start_xvfb WIDTHxHEIGHT: a free display, exported as DISPLAY once it answers. The server
# picks the display number itself (-displayfd), so that scripts run side by side by CTest
# never race for the same one. A server of another script still shutting down can hold the
# number's socket for a moment, and the new server then dies after naming its display: the
# start is tried again, up to three times.
start_xvfb() {
  for essai in 1 2 3; do
    rm -f "$dir/display"
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$dir/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    i=0
    until [ -s "$dir/display" ] || ! kill -0 "$xvfb_pid" 2>/dev/null; do
      i=$((i + 1)); [ $i -lt 100 ] || fail "Xvfb did not start"; sleep 0.1
    done
    export DISPLAY=":$(head -1 "$dir/display" 2>/dev/null)"
    i=0
    until xdpyinfo >/dev/null 2>&1 || ! kill -0 "$xvfb_pid" 2>/dev/null; do
      i=$((i + 1)); [ $i -lt 100 ] || fail "Xvfb did not answer"; sleep 0.1
    done
    sleep 0.2
    if kill -0 "$xvfb_pid" 2>/dev/null && xdpyinfo >/dev/null 2>&1; then
      return 0
    fi
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
  done
  fail "Xvfb did not stay up"
}

# start_editor FOLDER ARGS...: the editor started in FOLDER; sets $win to its main window.
start_editor() {
  folder=$1; shift
  (cd "$folder" && exec "$editor" "$@") >"$dir/editor.log" 2>&1 &
  editor_pid=$!
  win=$(timeout 30 xdotool search --sync --onlyvisible --pid "$editor_pid" --name '^Dravo-Editeur$' | head -1)
  [ -n "$win" ] || { cat "$dir/editor.log"; fail "no editor window within 30 s"; }
}

# pixel X Y of a screenshot $dir/shot.png, as "R,G,B".
pixel() { convert "$dir/shot.png" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:; }

# The number of windows the editor shows (its main window, and the error box if any).
windows_shown() {
  root=$(printf '%d' "$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')")
  xdotool search --onlyvisible --pid "$editor_pid" --name '.*' | grep -vx "$root" | wc -l
}
