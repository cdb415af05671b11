#!/bin/sh
# dravo-lab joue and vue from the command line: a route played to the exit and on into the
# next labyrinth of an adventure, the JSON it prints, the views it draws, exit statuses.
set -u
lab=$1
here=$(dirname "$0")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
ecrit() { python3 "$here/ecrit_lab.py" "$@" || fail "writing $1"; }

# A key behind a riddle, the door it opens, then the exit; the next file of the adventure.
mkdir "$dir/aventure"
ecrit "$dir/aventure/monde_1.lab" B2:8 B2/sud:0 B3:4 'B3?Capitale ?|Paris|Lyon||||10000' \
  B2/est:6 C2/nord:9
ecrit "$dir/aventure/monde_2.lab" A1:8 A1/est:0 B1:7 J10:7 J10/sud:9
out=$("$lab" joue "$dir/aventure/monde_1.lab" droite avance gauche recule repond:2 repond:1 \
  avance droite avance gauche avance); rc=$?
[ $rc = 0 ] || fail "a route exits 0 (got $rc)"
python3 - "$out" <<'PY' || fail "route JSON: $out"
import json, sys
d = json.loads(sys.argv[1])
assert d["salle"] == "C2" and d["etat"] == "sortie" and d["direction"] == "nord", d
assert d["cles"] == ["rouge"] and d["carte"] is False and d["enigmes_resolues"] == 1, d
assert d["du_premier_coup"] == 0 and d["aventure_terminee"] is False, d
faits = [e["faits"] for e in d["evenements"]]
assert faits[1] == ["bute_porte:rouge"], faits
assert faits[3] == ["deplace", "enigme_posee"], faits
assert faits[4] == ["mauvaise_reponse"] and faits[5] == ["bonne_reponse", "cle_prise:rouge"], faits
assert faits[8] == ["porte_ouverte:rouge", "deplace"], faits
assert faits[10] == ["sortie"], faits
PY

# Moves after the exit are played in monde_2.lab; the same graine draws the same teleporter.
for graine in 1 2 3; do
  a=$("$lab" joue --graine $graine "$dir/aventure/monde_1.lab" droite avance gauche recule \
    repond:1 avance droite avance gauche avance droite avance teleporte) || fail "adventure exits 0"
  b=$("$lab" joue --graine $graine "$dir/aventure/monde_1.lab" droite avance gauche recule \
    repond:1 avance droite avance gauche avance droite avance teleporte)
  [ "$a" = "$b" ] || fail "the same graine plays the same game"
done
python3 - "$a" <<'PY' || fail "adventure JSON: $a"
import json, sys
d = json.loads(sys.argv[1])
assert d["labyrinthe"] == 2 and d["fichier"].endswith("monde_2.lab"), d
assert d["salle"] == "J10" and d["etat"] == "marche" and d["cles"] == [], d
e = d["evenements"]
assert e[10]["suite"].endswith("monde_2.lab") and e[10]["faits"] == ["tourne"], e[10]
assert "suite" not in e[11] and e[11]["faits"] == ["deplace"], e[11]
assert e[12]["faits"] == ["teleporte"], e[12]
PY
out=$("$lab" joue "$dir/aventure/monde_2.lab" droite avance teleporte droite avance)
echo "$out" | grep -q '"etat": "sortie", .*"aventure_terminee": true' || fail "end of the adventure: $out"
out=$("$lab" joue "$dir/aventure/monde_2.lab" gauche gauche gauche gauche)
echo "$out" | grep -q '"direction": "nord"' || fail "four quarter turns: $out"
out=$("$lab" joue "$dir/aventure/monde_1.lab" recule repond:3)
echo "$out" | grep -q '"etat": "enigme", .*"enigme": {"salle": "B3", "genre": "choix", "question": "Capitale ?"}' ||
  fail "the riddle shown: $out"
out=$("$lab" joue "$dir/aventure/monde_2.lab" ok)
echo "$out" | grep -q '"faits": \["ignore"\]' || fail "ignored move: $out"

# A file name that is not UTF-8 (a Windows-1252 "é"): still valid JSON, the byte as U+FFFD.
bizarre="$dir/$(printf 'caf\351.lab')"
ecrit "$bizarre" A1:8 A1/est:9
"$lab" joue "$bizarre" droite > "$dir/bizarre.json" || fail "joue of a non-UTF-8 name exits 0"
python3 - "$dir/bizarre.json" "$dir" <<'PY' || fail "joue JSON of a non-UTF-8 name: $(cat "$dir/bizarre.json")"
import json, sys
d = json.loads(open(sys.argv[1], "rb").read().decode("utf-8"))
assert d["fichier"] == sys.argv[2] + "/caf\ufffd.lab", d["fichier"]
PY

# A typed answer with accents, given in UTF-8 on the command line.
ecrit "$dir/accents.lab" A1:8 A1/est:0 'B1?Qui apprend ? |Élève ' B1/nord:9
out=$("$lab" joue "$dir/accents.lab" droite avance tape:eleves 'tape:  ÉLÈVE ' gauche avance)
echo "$out" | grep -q '"etat": "sortie", .*"enigmes_resolues": 1, "du_premier_coup": 0' ||
  fail "typed answer with accents: $out"

# Failures: the French message on standard error, exit 1; usage errors exit 2.
ecrit "$dir/sans_depart.lab" A1/nord:9
"$lab" joue "$dir/sans_depart.lab" avance >"$dir/out" 2>"$dir/err"; rc=$?
[ $rc = 1 ] || fail "no start exits 1 (got $rc)"
grep -q "Aucune salle de départ" "$dir/err" || fail "no start message: $(cat "$dir/err")"
[ ! -s "$dir/out" ] || fail "nothing on standard output after a failure"
"$lab" joue "$dir/absent.lab" 2>/dev/null; [ $? = 1 ] || fail "a missing file exits 1"
for args in "" "--graine" "--graine x $dir/accents.lab" "$dir/accents.lab saute" \
  "$dir/accents.lab repond:7"; do
  # shellcheck disable=SC2086
  "$lab" joue $args >/dev/null 2>&1; rc=$?
  [ $rc = 2 ] || fail "joue $args exits 2 (got $rc)"
done

# The view: a PNG of the size asked, whatever textures are missing.
"$lab" vue "$dir/aventure/monde_1.lab" B2 est "$dir/vue.png" || fail "vue exits 0"
"$lab" vue "$dir/aventure/monde_1.lab" b2 sud "$dir/petite.png" --taille 64x48 || fail "vue --taille"
python3 - "$dir/vue.png" "$dir/petite.png" <<'PY' || fail "PNG sizes"
import struct, sys
for path, size in zip(sys.argv[1:], [(640, 480), (64, 48)]):
    head = open(path, "rb").read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n", path
    assert struct.unpack(">II", head[16:24]) == size, (path, head[16:24])
PY
for args in "K1 nord" "A0 nord" "B2 north" "B2" "B2 nord $dir/x.png --taille 0x10" \
  "B2 nord $dir/x.png --taille 64"; do
  # shellcheck disable=SC2086
  "$lab" vue "$dir/aventure/monde_1.lab" $args "$dir/x.png" >/dev/null 2>&1; rc=$?
  [ $rc = 2 ] || fail "vue $args exits 2 (got $rc)"
done
[ ! -e "$dir/x.png" ] || fail "no picture after a usage error"
# Three textures that announce 16384 x 4096 pixels in 35 bytes: the view decodes them reduced,
# never whole (256 MB each).
mkdir "$dir/bombe"
ecrit "$dir/bombe/monde_1.lab" TM=bombe.gif TS=bombe.gif TP=bombe.gif B2:8
python3 - "$lab" "$dir/bombe" <<'PY' || fail "vue with bomb textures"
import resource, subprocess, sys
lab, d = sys.argv[1:]
open(d + "/bombe.gif", "wb").write(
    b"GIF89a\x00\x40\x00\x10\x80\x00\x00\x00\x00\x00\xff\xff\xff"
    b"\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b")
subprocess.run([lab, "vue", d + "/monde_1.lab", "B2", "nord", d + "/v.png"], check=True)
pic = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss // 1024
assert pic < 100, "vue peaked at %d MB" % pic
PY
"$lab" vue "$dir/absent.lab" A1 nord "$dir/y.png" 2>/dev/null; [ $? = 1 ] || fail "vue of a missing file exits 1"
echo "joue and vue: all passed"
