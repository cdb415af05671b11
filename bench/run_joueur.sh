#!/bin/sh
# dravo-joueur's figures under a private Xvfb: the time from start to its window and its
# resident memory then (bench_demarrage, RUNS starts), and its CPU while walking (bench_joueur,
# SECONDS of walking). Usage: bench/run_joueur.sh [BUILD_DIR] [RUNS] [SECONDS]
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
runs=${2:-15}
seconds=${3:-10}
dir=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$dir"' EXIT
cp "$top/resources/textures/"*.bmp "$dir/"
"$build/bench/bench_joueur" ecrit "$dir"
n=220; while [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:$n
sleep 1
player="$build/src/app/dravo-joueur"
"$build/bench/bench_demarrage" 2 "$dir" "$player" monde_1.lab >/dev/null # warm the caches
"$build/bench/bench_demarrage" "$runs" "$dir" "$player" monde_1.lab
"$build/bench/bench_joueur" marche "$dir" "$seconds"
