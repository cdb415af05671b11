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

# An adventure: its labyrinths in numeric order (monde_10 after monde_2) in one PDF titled
# with the first one's title; the pupils' version and the route.
ecrit() { python3 "$(dirname "$0")/ecrit_lab.py" "$@" || fail "ecrit_lab.py $*"; }
titre() { sed -i "s/^TITRE=\r\$/TITRE=$2\r/" "$1"; }
mkdir "$dir/aventure"
ecrit "$dir/aventure/monde_1.lab" A1:8 A1/est:0 B1/nord:9 "B1?Sept fois huit ?|cinquante-six"
titre "$dir/aventure/monde_1.lab" "Premier monde"
ecrit "$dir/aventure/monde_2.lab" A1:8 A1/sud:9 "A1?Capitale ?|Paris|Lyon||||10000"
titre "$dir/aventure/monde_2.lab" "Deuxieme monde"
ecrit "$dir/aventure/monde_10.lab" A1:8 A1/ouest:9
titre "$dir/aventure/monde_10.lab" "Dixieme monde"
ecrit "$dir/aventure/notes.lab" A1:8
"$lab" feuille "$dir/aventure" "$dir/aventure.pdf" 2>"$dir/err" || fail "adventure: $(cat "$dir/err")"
if command -v pdftotext >/dev/null; then
  pdftotext "$dir/aventure.pdf" - | grep -E "^(Premier|Deuxieme|Dixieme) monde$" | uniq >"$dir/ordre"
  printf 'Premier monde\nDeuxieme monde\nDixieme monde\n' | cmp -s - "$dir/ordre" ||
    fail "the adventure's labyrinths in numeric order: $(cat "$dir/ordre")"
  pages=$(pdfinfo "$dir/aventure.pdf" | awk '/^Pages:/ {print $2}')
  [ "$pages" -ge 3 ] || fail "a page at least for each labyrinth (got $pages)"
  pdfinfo "$dir/aventure.pdf" | grep -q "^Title: *Premier monde$" || fail "PDF title"
  pdftotext "$dir/aventure.pdf" - | grep -q "✔" || fail "the teacher's sheet marks answers"
  pdftotext "$dir/aventure.pdf" - | grep -q "cinquante-six" || fail "the typed answer"

  "$lab" feuille --eleve "$dir/aventure" "$dir/eleve.pdf" 2>"$dir/err" || fail "--eleve: $(cat "$dir/err")"
  pdftotext "$dir/eleve.pdf" - >"$dir/eleve.txt"
  grep -q "✔" "$dir/eleve.txt" && fail "the pupils' sheet has no marks"
  grep -q "cinquante-six" "$dir/eleve.txt" && fail "the pupils' sheet hides the typed answer"
  grep -q "Paris" "$dir/eleve.txt" || fail "the pupils' sheet lists the proposals"
  grep -q "Itinéraire" "$dir/eleve.txt" && fail "no route unless asked"

  "$lab" feuille "$dir/aventure/monde_1.lab" --chemin "$dir/chemin.pdf" 2>"$dir/err" ||
    fail "--chemin: $(cat "$dir/err")"
  pdftotext "$dir/chemin.pdf" - | tr '\n' ' ' | grep -q "A1 → B1 → sortie par le bord nord de B1" ||
    fail "the route is listed"
fi
# The map with the route is another picture than without.
"$lab" feuille "$dir/aventure/monde_1.lab" "$dir/sans.png" || fail "png"
"$lab" feuille --chemin "$dir/aventure/monde_1.lab" "$dir/avec.png" || fail "png --chemin"
cmp -s "$dir/sans.png" "$dir/avec.png" && fail "the route drawn on the PNG map"

# A folder without labyrinths, a labyrinth that cannot be read, a folder to a PNG, an
# unknown option: nothing written.
mkdir "$dir/vide"
msg=$("$lab" feuille "$dir/vide" "$dir/vide.pdf" 2>&1); rc=$?
[ $rc = 1 ] || fail "an empty folder exits 1 (got $rc)"
echo "$msg" | grep -q "ne contient aucun labyrinthe monde_N.lab" || fail "empty folder: $msg"
# A folder named like a labyrinth cannot be read as one.
mkdir "$dir/aventure/monde_3.lab"
msg=$("$lab" feuille "$dir/aventure" "$dir/casse.pdf" 2>&1); rc=$?
[ $rc = 1 ] || fail "a labyrinth that cannot be read exits 1 (got $rc)"
echo "$msg" | grep -q "^monde_3.lab : " || fail "the failing labyrinth is named: $msg"
"$lab" feuille "$dir/aventure" "$dir/aventure.png" >/dev/null 2>&1; rc=$?
[ $rc = 2 ] || fail "a folder to a PNG is a usage error (got $rc)"
"$lab" feuille --eleves "$dir/aventure/monde_1.lab" "$dir/x.pdf" >/dev/null 2>&1; rc=$?
[ $rc = 2 ] || fail "an unknown option is a usage error (got $rc)"
for f in vide.pdf casse.pdf aventure.png x.pdf; do
  [ -e "$dir/$f" ] && fail "nothing written: $f"
done
echo "dravo-lab feuille: all passed"
