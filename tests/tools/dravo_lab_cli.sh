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
# Resaving the result gives it back but for the one more CR LF of the two texts.
"$lab" resave "$dir/out.lab" "$dir/out2.lab" || fail "resave of our own output"
[ $(( $(wc -c < "$dir/out2.lab") - $(wc -c < "$dir/out.lab") )) = 4 ] || fail "second resave grows by 4 bytes"

echo "ancien" > "$dir/garde.lab"
msg=$("$lab" resave "$dir/absent.lab" "$dir/garde.lab" 2>&1); rc=$?
[ $rc = 1 ] || fail "missing input exits 1 (got $rc)"
[ "$msg" = "File not found." ] || fail "missing input message: $msg"
[ "$(cat "$dir/garde.lab")" = ancien ] || fail "output kept after a failed read"
msg=$("$lab" resave "$dir/nulle/part.lab" "$dir/garde.lab" 2>&1)
[ "$msg" = "Invalid filename." ] || fail "missing folder message: $msg"
msg=$("$lab" resave "$dir/in.lab" "$dir/nulle/part.lab" 2>&1); rc=$?
[ $rc = 1 ] && [ "$msg" = "Invalid filename." ] || fail "output in a missing folder: $rc $msg"

"$lab" resave "$dir/in.lab" >/dev/null 2>&1; [ $? = 2 ] || fail "usage error exits 2"
"$lab" frobnicate >/dev/null 2>&1; [ $? = 2 ] || fail "unknown command exits 2"
"$lab" --help | grep -q "resave IN OUT" || fail "--help"
"$lab" --version | grep -q "^dravo-lab [0-9]" || fail "--version"
ls -A "$dir" | grep -q '\.tmp-' && fail "temporary file left behind"
echo "dravo-lab cli: all passed"
