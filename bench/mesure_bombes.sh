#!/bin/sh
# Memory and time on hostile labyrinths: makes them with memoire_bombes, then measures the
# editor opening the labyrinth of picture bombs (every room shown), `dravo-lab check` and
# `dravo-lab vue` of it, and `dravo-lab feuille` of the 64 MB labyrinth and of the 2 MB
# title, each under /usr/bin/time (wall time, CPU time, peak resident memory).
#   bench/mesure_bombes.sh BUILD [FOLDER]
# BUILD is a build folder (Release for figures); FOLDER receives the files (a fresh
# temporary folder by default, removed at the end).
set -eu
build=$1
dossier=${2:-}
if [ -z "$dossier" ]; then
  dossier=$(mktemp -d)
  trap 'rm -rf "$dossier"' EXIT
fi
mesure() { /usr/bin/time -f "  %e s wall, %U s user + %S s system, peak %M KB" "$@"; }

"$build/bench/memoire_bombes" fabrique "$dossier"
echo "editor, bombes.lab opened and its 100 rooms shown:"
mesure "$build/bench/memoire_bombes" editeur "$dossier/bombes/bombes.lab" 2>&1 | grep -v XDG_RUNTIME
echo "dravo-lab check bombes.lab (3 textures and 100 pictures of 16384 x 4096):"
mesure "$build/src/tools/dravo-lab" check "$dossier/bombes/bombes.lab" >/dev/null 2>"$dossier/err" || true
grep -v "exited with non-zero" "$dossier/err"
echo "dravo-lab vue bombes.lab (its 3 textures of 16384 x 4096):"
mesure "$build/src/tools/dravo-lab" vue "$dossier/bombes/bombes.lab" A1 est "$dossier/vue.png" 2>&1 | grep -v XDG_RUNTIME
echo "dravo-lab feuille texte64.lab (64 MB of text):"
mesure "$build/src/tools/dravo-lab" feuille "$dossier/texte64.lab" "$dossier/texte64.pdf" 2>&1 | grep -v XDG_RUNTIME
echo "dravo-lab feuille titre2m.lab (a title of 2 MB):"
mesure "$build/src/tools/dravo-lab" feuille "$dossier/titre2m.lab" "$dossier/titre2m.pdf" 2>&1 | grep -v XDG_RUNTIME
