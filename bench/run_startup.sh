#!/bin/sh
# Start-up benchmark: dravo-editeur beside a bare Qt window with as many widgets, each
# started RUNS times under a private Xvfb. Usage: bench/run_startup.sh [BUILD_DIR] [RUNS]
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
runs=${2:-15}
dir=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$dir"' EXIT
cp "$top/resources/textures/"*.bmp "$dir/"
n=210; while [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:$n
sleep 1
# The editor's window holds 429 widgets at start-up (its findChildren<QWidget *>() and itself):
# 320 grid images, the controls and the media players' parts.
widgets=429
"$build/bench/bench_demarrage" 2 "$dir" "$build/src/app/dravo-editeur" >/dev/null # warm the caches
"$build/bench/bench_demarrage" "$runs" "$dir" "$build/src/app/dravo-editeur"
"$build/bench/bench_demarrage" "$runs" "$dir" "$build/bench/fenetre_nue" "$widgets"
