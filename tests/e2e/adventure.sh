#!/bin/sh
# An adventure built as an author builds it, through the real dialogs: a picture and a sound
# chosen from other folders, the labyrinth saved into a new folder of its own, a picture of
# the same name from elsewhere kept beside the first, a copy onto a full disk (a small
# tmpfs as root, else a folder that cannot be written) that leaves the old file whole, and
# the file named on the command line opened over the shown window. Every file is compared.
editor=$1
textures=$2
. "$(dirname "$0")/xvfb_lib.sh"
trap 'stop; umount "$dir/plein" 2>/dev/null; chmod -R u+w "$dir" 2>/dev/null; rm -rf "$dir"' EXIT

# until TEST...: polls TEST for up to 15 s (the machine may be busy); false when it never held.
until_true() {
  i=0
  until "$@"; do i=$((i + 1)); [ $i -lt 150 ] || return 1; sleep 0.1; done
}
# The file dialog shown, if any ("Ouvrir", or the save dialog's "Enregistrer...").
dialog_window() {
  for w in $(xdotool search --onlyvisible --pid "$editor_pid" --name '.' 2>/dev/null); do
    case "$(xdotool getwindowname "$w")" in Ouvrir | Enregistrer*) echo "$w"; return 0 ;; esac
  done
  return 1
}
dialog_up() { dialog_window >/dev/null; }
no_dialog() { ! dialog_up; }
boxes_are() { [ "$(boxes_shown)" = "$1" ]; }
wait_boxes() { until_true boxes_are "$1" || fail "$2 (boxes shown: $(boxes_shown))"; }
names() { grep -q "$1" "$2" 2>/dev/null; }

click() { xdotool mousemove --window "$win" "$1" "$2" click "${3:-1}"; sleep 0.3; }
key() { xdotool windowfocus --sync "$win"; xdotool key "$1"; sleep 0.5; }
# A file dialog of the editor, answered by typing the full path.
answer_dialog() {
  until_true dialog_up || fail "no file dialog for $1"
  d=$(dialog_window)
  sleep 0.5
  xdotool windowfocus --sync "$d"
  xdotool type --delay 2 "$1"
  xdotool key Return
  until_true no_dialog || fail "the file dialog for $1 stayed open"
  sleep 0.3
}
boxes_shown() { echo $(( $(windows_shown) - 1 )); }
same() { cmp -s "$1" "$2" || fail "$1 differs from $2"; }

mkdir "$dir/travail" "$dir/photos" "$dir/sons" "$dir/autres" "$dir/vide"
cp "$textures/Briques.bmp" "$textures/sol.bmp" "$textures/plafond.bmp" "$dir/travail/"
convert -size 30x20 xc:blue BMP3:"$dir/photos/paris.bmp"
convert -size 30x20 xc:red BMP3:"$dir/autres/paris.bmp"
printf 'ID3 le vent qui souffle' > "$dir/sons/vent.mp3"

start_xvfb 1024x768
start_editor "$dir/travail"
[ "$(boxes_shown)" = 0 ] || fail "a box at start"

# Room A1 selected, its picture and the ambient sound chosen from their folders.
click 60 60 2
click 986 344
answer_dialog "$dir/photos/paris.bmp"
click 969 159
answer_dialog "$dir/sons/vent.mp3"
until_true test -f "$dir/travail/vent.mp3" || fail "the sound was not brought in"
[ "$(boxes_shown)" = 0 ] || fail "a box after choosing the picture and the sound"

# Never saved: Ctrl+S asks where. A new folder of its own.
mkdir "$dir/travail/aventure"
av="$dir/travail/aventure"
key ctrl+s
answer_dialog "$av/monde_1.lab"
until_true test -f "$av/monde_1.lab" || fail "the labyrinth was not saved"
for f in paris.bmp vent.mp3; do [ -f "$dir/travail/$f" ] || fail "$f not brought into the start folder"; done
same "$av/paris.bmp" "$dir/photos/paris.bmp"
same "$av/vent.mp3" "$dir/sons/vent.mp3"
for t in Briques.bmp sol.bmp plafond.bmp; do same "$av/$t" "$textures/$t"; done

# Room B1: another paris.bmp. The question; keep both (Alt+G).
click 120 60 2
click 986 344
answer_dialog "$dir/autres/paris.bmp"
wait_boxes 1 "no question for a picture of the same name"
xdotool key alt+g
wait_boxes 0 "the question stayed"
key ctrl+s
until_true names '^paris-2.bmp' "$av/monde_1.lab" || fail "room B1 does not name paris-2.bmp"
same "$av/paris.bmp" "$dir/photos/paris.bmp"
same "$av/paris-2.bmp" "$dir/autres/paris.bmp"
grep -q '^paris.bmp' "$av/monde_1.lab" || fail "room A1 no longer names paris.bmp"
grep -q '^paris-2.bmp' "$av/monde_1.lab" || fail "room B1 does not name paris-2.bmp"
grep -q '^SAM=vent.mp3' "$av/monde_1.lab" || fail "the sound is not named"
found=$(ls -A "$av" | tr '\n' ' ')
[ "$found" = "Briques.bmp monde_1.lab paris-2.bmp paris.bmp plafond.bmp sol.bmp vent.mp3 " ] ||
  fail "the folder holds: $found"

# A disk that fills up: the copy of a larger photo.bmp over the folder's own fails, and the
# old file stays whole with its labyrinth.
mkdir "$dir/plein" "$dir/grande"
if [ "$(id -u)" = 0 ] && mount -t tmpfs -o size=192k tmpfs "$dir/plein" 2>/dev/null; then
  plein=tmpfs
else
  plein=readonly
fi
convert -size 8x8 xc:green BMP3:"$dir/plein/photo.bmp"
cp "$dir/plein/photo.bmp" "$dir/photo-avant.bmp"
printf 'C=0,0,0,9\r\nS=0,0,8\r\n\r\n\r\n\r\n\r\n\r\n\r\n00000\r\nphoto.bmp\r\n\r\n' > "$dir/plein/monde_1.lab"
cp "$dir/plein/monde_1.lab" "$dir/lab-avant.lab"
convert -size 200x200 xc:yellow BMP3:"$dir/grande/photo.bmp"
if [ $plein = tmpfs ]; then
  dd if=/dev/zero of="$dir/plein/remplissage" bs=1024 count=150 2>/dev/null
else
  chmod a-w "$dir/plein"
fi
key ctrl+o
answer_dialog "$dir/plein/monde_1.lab"
click 60 60 2
click 986 344
answer_dialog "$dir/grande/photo.bmp"
wait_boxes 1 "no question for the photo of the same name"
xdotool key alt+r
sleep 1
wait_boxes 1 "no error box for the copy that failed ($plein)"
xdotool key Return
wait_boxes 0 "the error box stayed"
same "$dir/plein/photo.bmp" "$dir/photo-avant.bmp"
same "$dir/plein/monde_1.lab" "$dir/lab-avant.lab"
ls -A "$dir/plein" | grep -q tmp && fail "a temporary file was left on the full disk"
chmod u+w "$dir/plein"
[ $plein = tmpfs ] && umount "$dir/plein"
stop

# A file named on the command line, from a folder without textures: the window, no box
# about the defaults it finds beside it; a texture it names that is nowhere: one box.
start_xvfb 1024x768
start_editor "$dir/vide" "$av/monde_1.lab"
sleep 1.5
[ "$(boxes_shown)" = 0 ] || fail "a box when starting with the adventure's file"
stop
start_xvfb 1024x768
printf 'TM=murs.bmp\r\nC=0,0,0,9\r\n' > "$dir/vide/sans.lab"
start_editor "$dir/vide" "$dir/vide/sans.lab"
wait_boxes 1 "not one box for the missing texture"
sleep 1
[ "$(boxes_shown)" = 1 ] || fail "more than one box for the missing texture"
echo "adventure through the real dialogs: all passed ($plein)"
