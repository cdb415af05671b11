#!/bin/sh
# dravo-lab check from the command line: lines and JSON, adventure folders and their gaps,
# files looked for in the labyrinth's folder, exit statuses.
set -u
lab=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# A labyrinth of one start room under an exit, with no textures; $1 adds lines.
monde() { printf 'TM=\nTS=\nTP=\nC=0,0,0,9\n%bS=0,0,8\n' "${2:-}" > "$1"; }
# A 1 x 1 bitmap the editor's loader reads.
bmp() {
  printf 'BM\072\0\0\0\0\0\0\0\066\0\0\0\050\0\0\0\001\0\0\0\001\0\0\0\001\0\030\0\0\0\0\0\004\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\377\0' > "$1"
}

monde "$dir/bon.lab"
out=$("$lab" check "$dir/bon.lab"); rc=$?
[ $rc = 0 ] || fail "a finishable labyrinth exits 0 (got $rc)"
[ "$out" = "$dir/bon.lab: peut être terminé, aucun problème trouvé." ] || fail "good line: $out"

# A wall instead of the exit, and a room whose picture lies under another letter case.
printf 'TM=\nTS=\nTP=\nC=0,0,0,1\nS=0,0,8\n\n\n\n\n\n\n00000\n\311t\351.bmp\n\n' > "$dir/mur.lab"
bmp "$dir/été.BMP"
out=$("$lab" check "$dir/mur.lab"); rc=$?
[ $rc = 1 ] || fail "an unfinishable labyrinth exits 1 (got $rc)"
echo "$out" | grep -qx "$dir/mur.lab: erreur: Aucune sortie : le labyrinthe ne peut pas être terminé. \[no-exit\]" ||
  fail "no-exit line: $out"
echo "$out" | grep -q "^$dir/mur.lab: avertissement: .*« Été.bmp ».*« été.BMP ».*\[file-case\]$" ||
  fail "file-case line in UTF-8: $out"

# Warnings alone exit 0.
monde "$dir/averti.lab" 'C=1,0,0,0\n'
"$lab" check "$dir/averti.lab" | grep -q '\[open-border\]' || fail "open-border warning"
"$lab" check "$dir/averti.lab" >/dev/null || fail "warnings alone exit 0"

# JSON: the documented shape, names and messages in UTF-8, quotes and controls escaped.
mkdir "$dir/json"
printf 'TM=\nTS=\nTP=\nC=0,0,0,2\nS=0,0,8\n\n\n\n\n\n\n00000\nl\340 "x"\001.jpg\n\n' > "$dir/json/j.lab"
printf 'pas une image' > "$dir/json/$(printf 'l\303\240 "x"\001.jpg')"
"$lab" check --json "$dir/json/j.lab" > "$dir/j.json"; rc=$?
[ $rc = 1 ] || fail "json with errors exits 1 (got $rc)"
python3 - "$dir/j.json" "$dir/json/j.lab" <<'PY' || fail "json content"
import json, sys
d = json.load(open(sys.argv[1], encoding="utf-8"))
f = d["files"][0]
assert f["file"] == sys.argv[2], f["file"]
assert f["finishable"] is False
codes = [x["code"] for x in f["findings"]]
assert codes == ["no-exit", "invalid-picture", "open-border"], codes
pic = f["findings"][1]
assert pic["severity"] == "error" and pic["room"] == [0, 0], pic
assert pic["name"] == 'l\u00e0 "x"\u0001.jpg', pic["name"]
bord = f["findings"][2]
assert bord["severity"] == "warning"
assert bord["partition"] == {"sens": 0, "col": 0, "lig": 0}, bord
assert "room" not in bord and "name" not in bord
PY
# A file name that is not UTF-8 (a Windows-1252 "é", and a control character): still valid
# JSON, the byte as U+FFFD, the control escaped.
bizarre="$dir/json/$(printf 'caf\351\001.lab')"
monde "$bizarre"
"$lab" check --json "$bizarre" > "$dir/k.json" || fail "json of a non-UTF-8 name exits 0"
python3 - "$dir/k.json" "$dir/json" <<'PY' || fail "json of a non-UTF-8 name: $(cat "$dir/k.json")"
import json, sys
octets = open(sys.argv[1], "rb").read()
assert b"\x01" not in octets, octets
f = json.loads(octets.decode("utf-8"))["files"][0]
assert f["file"] == sys.argv[2] + "/caf\ufffd\u0001.lab", f["file"]
PY

# An adventure folder: numeric order (10 after 9), a gap reported on the file before it.
mkdir "$dir/aventure"
for n in 1 2 9 10; do monde "$dir/aventure/monde_$n.lab"; done
monde "$dir/aventure/autre.lab" 'C=5,5,0,9\n'
monde "$dir/aventure/monde_03.lab"
out=$("$lab" check "$dir/aventure"); rc=$?
[ $rc = 1 ] || fail "a gap is an error (got $rc)"
[ "$(echo "$out" | cut -d: -f1 | tr '\n' ' ')" = "$dir/aventure/monde_1.lab $dir/aventure/monde_2.lab $dir/aventure/monde_9.lab $dir/aventure/monde_10.lab " ] ||
  fail "adventure order: $out"
echo "$out" | grep -q "^$dir/aventure/monde_2.lab: erreur: Il manque monde_3.lab .*monde_9.lab.*\[adventure-gap\]$" ||
  fail "gap line: $out"
"$lab" check --json "$dir/aventure" | python3 -c '
import json, sys
f = json.load(sys.stdin)["files"]
gap = f[1]["findings"][0]
assert gap["code"] == "adventure-gap" and gap["name"] == "monde_3.lab", gap
assert f[1]["finishable"] is True
' || fail "gap in json"
rm "$dir/aventure/monde_9.lab" "$dir/aventure/monde_10.lab"
"$lab" check "$dir/aventure" >/dev/null || fail "an adventure without gap exits 0"
# One number missing, the smallest gap.
mkdir "$dir/trou"
monde "$dir/trou/monde_1.lab"
monde "$dir/trou/monde_3.lab"
out=$("$lab" check "$dir/trou"); rc=$?
[ $rc = 1 ] || fail "a gap of one number is an error (got $rc)"
echo "$out" | grep -q "^$dir/trou/monde_1.lab: erreur: Il manque monde_2.lab .*monde_3.lab.*\[adventure-gap\]$" ||
  fail "gap of one line: $out"

# The player starts at monde_1: monde_2 and monde_3 alone are never played.
mkdir "$dir/sans_debut"
monde "$dir/sans_debut/monde_2.lab"
monde "$dir/sans_debut/monde_3.lab"
out=$("$lab" check "$dir/sans_debut"); rc=$?
[ $rc = 1 ] || fail "an adventure without monde_1 is an error (got $rc)"
echo "$out" | grep -q "^$dir/sans_debut/monde_2.lab: erreur: Il manque monde_1.lab .*monde_2.lab et les suivants.*\[adventure-start\]$" ||
  fail "start line: $out"
[ "$(echo "$out" | grep -c adventure-start)" = 1 ] || fail "the start is reported once: $out"

# Names the player will not follow: warnings on the adventure's first labyrinth (exit 0),
# in JSON with the name they are about.
mkdir "$dir/noms"
for n in monde_1.lab monde_01.lab monde_007.lab monde_1000000000.lab monde_99999999999999999999.lab MONDE_1.lab; do
  monde "$dir/noms/$n"
done
monde "$dir/noms/monde_999999999.lab"
out=$("$lab" check "$dir/noms"); rc=$?
[ $rc = 1 ] || fail "names: the gap before 999999999 stays an error (got $rc)"
for attendu in "monde_01.lab ne sera jamais joué : le joueur cherche monde_1.lab, sans zéro" \
               "monde_007.lab ne sera jamais joué : le joueur cherche monde_7.lab" \
               "monde_1000000000.lab ne sera jamais joué : son numéro est trop grand" \
               "monde_99999999999999999999.lab ne sera jamais joué : son numéro est trop grand" \
               "MONDE_1.lab et monde_1.lab ne diffèrent que par la casse"; do
  echo "$out" | grep -q "^$dir/noms/MONDE_1.lab: avertissement: $attendu" || fail "names: $attendu in $out"
done
echo "$out" | grep -q "monde_999999999.lab.*adventure-name" && fail "999999999 is followed: $out"
"$lab" check --json "$dir/noms" | python3 -c '
import json, sys
f = json.load(sys.stdin)["files"][0]
noms = sorted(x["name"] for x in f["findings"] if x["code"] in ("adventure-name", "adventure-case"))
assert noms == ["monde_007.lab", "monde_01.lab", "monde_1.lab", "monde_1000000000.lab",
                "monde_99999999999999999999.lab"], noms
assert all(x["severity"] == "warning" for x in f["findings"] if x["code"].startswith("adventure-n"))
' || fail "names in json"
mkdir "$dir/zero_seul"
monde "$dir/zero_seul/monde_01.lab"
out=$("$lab" check "$dir/zero_seul")
echo "$out" | grep -q '\[no-labyrinth\]' && echo "$out" | grep -q 'monde_01.lab ne sera jamais joué' ||
  fail "a folder of monde_01.lab alone: $out"

mkdir "$dir/vide"
"$lab" check "$dir/vide" | grep -q '\[no-labyrinth\]' || fail "a folder without labyrinth"

out=$("$lab" check "$dir/absent.lab"); rc=$?
[ $rc = 1 ] && [ "$out" = "$dir/absent.lab: erreur: Le fichier ne peut pas être lu : File not found. [unreadable]" ] ||
  fail "unreadable: $rc $out"

# Names can hold any byte but a line break: a carriage return, a terminal's escape, bytes
# of no encoding. Each finding stays one line, its controls visible; the folder's name too.
mkdir "$dir/$(printf 'a\nb')"
printf 'TM=\nTS=\nTP=\nC=0,0,0,9\nS=0,0,8\n\n\n\n\n\n\n00000\nx\r\033[2Jfaux.jpg\n\n' > "$dir/$(printf 'a\nb')/m.lab"
out=$("$lab" check "$dir/$(printf 'a\nb')/m.lab")
[ "$(printf '%s\n' "$out" | wc -l)" = 1 ] || fail "one finding, one line: $out"
printf '%s\n' "$out" | grep -q "^$dir/a\\\\nb/m.lab: erreur: .*x\\\\r\\\\x1b\[2Jfaux.jpg.*\[missing-file\]$" ||
  fail "controls escaped: $out"
if printf '%s\n' "$out" | LC_ALL=C grep -q "$(printf '[\r\033]')"; then fail "a control byte printed raw"; fi

"$lab" check >/dev/null 2>&1; [ $? = 2 ] || fail "no file is a usage error"
"$lab" check --jsn "$dir/bon.lab" >/dev/null 2>&1; [ $? = 2 ] || fail "unknown option exits 2"
"$lab" --help | grep -q "check \[--json\]" || fail "--help names check"
echo "dravo-lab check: all passed"
