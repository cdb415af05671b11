#!/bin/sh
# dravo-lab feuille from the command line, with no display: the sheet as PDF, the map as
# PNG, and nothing written when the input cannot be read or the command is misused.
set -u
lab=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
unset DISPLAY WAYLAND_DISPLAY
# A platform that needs a display must not stop it: the command chooses its own.
export QT_QPA_PLATFORM=xcb

printf 'TITRE=Essai\r\nS=2,0,8\r\nQuelle couleur ? \r\nVert\r\nRouge\r\n\r\n\r\n\r\n10000\r\n\r\n\r\n' > "$dir/in.lab"
"$lab" feuille "$dir/in.lab" "$dir/feuille.pdf" 2>"$dir/err" || fail "pdf: $(cat "$dir/err")"
[ "$(head -c 5 "$dir/feuille.pdf")" = "%PDF-" ] || fail "a PDF is written"
if command -v pdftotext >/dev/null; then
  pdftotext "$dir/feuille.pdf" - | grep -q "Quelle couleur" || fail "the PDF holds the question"
fi
"$lab" feuille "$dir/in.lab" "$dir/plan.PNG" 2>"$dir/err" || fail "png: $(cat "$dir/err")"
# Width and height are the big-endian words at bytes 16 and 20 of a PNG.
size=$(od -An -tu1 -j16 -N8 "$dir/plan.PNG" | awk '{print $3*256+$4, $7*256+$8}')
set -- $size
[ "$1" -ge 600 ] && [ "$2" -ge 600 ] || fail "map of at least 600 x 600 (got $size)"

msg=$("$lab" feuille "$dir/absent.lab" "$dir/out.pdf" 2>&1); rc=$?
[ $rc = 1 ] || fail "missing input exits 1 (got $rc)"
[ "$msg" = "File not found." ] || fail "missing input message: $msg"
[ -e "$dir/out.pdf" ] && fail "nothing written after a failed read"
msg=$("$lab" feuille "$dir/in.lab" "$dir/nulle/part.pdf" 2>&1); rc=$?
[ $rc = 1 ] || fail "output in a missing folder exits 1 (got $rc)"

for args in "$dir/in.lab" "$dir/in.lab $dir/out.txt" "$dir/in.lab $dir/out.pdf extra"; do
  # shellcheck disable=SC2086
  "$lab" feuille $args >/dev/null 2>&1; rc=$?
  [ $rc = 2 ] || fail "usage error exits 2 for: $args (got $rc)"
done
[ -e "$dir/out.txt" ] || [ -e "$dir/out.pdf" ] && fail "nothing written on a usage error"
"$lab" --help | grep -q "feuille \[--eleve\] \[--chemin\] IN.lab|FOLDER OUT" || fail "--help"
ls -A "$dir" | grep -q '\.tmp-' && fail "temporary file left behind"
echo "dravo-lab feuille: all passed"
