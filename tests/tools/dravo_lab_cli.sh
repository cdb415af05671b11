#!/bin/sh
# dravo-lab resave from the command line: exit statuses, messages, and an output that is
# replaced whole or not at all.
set -u
lab=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

printf 'TITRE=Essai\nMISSION\nun\n/MISSION\nC=1,2,0,9\nS=3,4,8\nQ ?\n' > "$dir/in.lab"
"$lab" resave "$dir/in.lab" "$dir/out.lab" || fail "resave of a good file"
# The result starts with the title, holds one partition and one room, and ends with CR LF.
head -c 13 "$dir/out.lab" | od -c | grep -q 'T   I   T   R   E   =   E   s   s   a   i  \\r  \\n' || fail "title line"
[ "$(grep -c '^C=' "$dir/out.lab")" = 1 ] || fail "one partition line"
grep -q "^S=3,4,8" "$dir/out.lab" || fail "room line"
[ "$(tail -c 2 "$dir/out.lab" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "CR LF at the end"
# Resaving the result gives the same bytes, however often.
"$lab" resave "$dir/out.lab" "$dir/out2.lab" || fail "resave of our own output"
cmp -s "$dir/out.lab" "$dir/out2.lab" || fail "second resave changes the file"
"$lab" resave "$dir/out2.lab" "$dir/out3.lab" || fail "third resave"
cmp -s "$dir/out.lab" "$dir/out3.lab" || fail "third resave changes the file"

echo "ancien" > "$dir/garde.lab"
msg=$("$lab" resave "$dir/absent.lab" "$dir/garde.lab" 2>&1); rc=$?
[ $rc = 1 ] || fail "missing input exits 1 (got $rc)"
[ "$msg" = "File not found." ] || fail "missing input message: $msg"
[ "$(cat "$dir/garde.lab")" = ancien ] || fail "output kept after a failed read"
msg=$("$lab" resave "$dir/nulle/part.lab" "$dir/garde.lab" 2>&1)
[ "$msg" = "Invalid filename." ] || fail "missing folder message: $msg"
msg=$("$lab" resave "$dir/in.lab" "$dir/nulle/part.lab" 2>&1); rc=$?
[ $rc = 1 ] && [ "$msg" = "Invalid filename." ] || fail "output in a missing folder: $rc $msg"

# Files that are no labyrinth: refused with exit 1, the output untouched. The pipe without a
# writer must not hang the command: timeout turns a hang into status 124.
printf 'TITRE=Pas de grille\nMISSION\nC=1,1,1,1\n/MISSION\n' > "$dir/texte.lab"
truncate -s 30G "$dir/enorme.lab"
mkfifo "$dir/tube.lab"
ln -s /dev/zero "$dir/zero.lab"
for cas in "texte.lab:Ce fichier ne contient ni cloison ni salle : ce n'est pas un labyrinthe." \
           "enorme.lab:Ce fichier dépasse 64 Mo : ce n'est pas un labyrinthe." \
           "tube.lab:Ce n'est pas un fichier ordinaire (un tube, un périphérique) : il n'est pas lu." \
           "zero.lab:Ce n'est pas un fichier ordinaire (un tube, un périphérique) : il n'est pas lu."; do
  f=${cas%%:*}; attendu=${cas#*:}
  msg=$(timeout 20 "$lab" resave "$dir/$f" "$dir/garde.lab" 2>&1); rc=$?
  [ $rc = 1 ] || fail "$f exits 1 (got $rc)"
  [ "$msg" = "$attendu" ] || fail "$f message: $msg"
  [ "$(cat "$dir/garde.lab")" = ancien ] || fail "output kept after $f"
done
rm -f "$dir/enorme.lab" "$dir/tube.lab" "$dir/zero.lab"

# Standard output into a pipe.
"$lab" resave "$dir/in.lab" /dev/stdout | cat > "$dir/par_tube.lab" || fail "resave into a pipe"
cmp -s "$dir/par_tube.lab" "$dir/out.lab" || fail "what went through the pipe"

"$lab" resave "$dir/in.lab" >/dev/null 2>&1; [ $? = 2 ] || fail "usage error exits 2"
"$lab" resave "$dir/in.lab" "$dir/trois.lab" en_trop >/dev/null 2>&1; rc=$?
[ $rc = 2 ] || fail "a third name is a usage error (got $rc)"
[ -e "$dir/trois.lab" ] && fail "a usage error wrote its output"
"$lab" frobnicate >/dev/null 2>&1; [ $? = 2 ] || fail "unknown command exits 2"
"$lab" --help | grep -q "resave IN OUT" || fail "--help"
"$lab" --version | grep -q "^dravo-lab [0-9]" || fail "--version"
ls -A "$dir" | grep -q '\.tmp-' && fail "temporary file left behind"
echo "dravo-lab cli: all passed"
