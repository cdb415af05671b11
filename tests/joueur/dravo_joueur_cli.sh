#!/bin/sh
# dravo-joueur's options answer without a display: --help and --version on standard output
# with status 0, an unknown option or a second labyrinth with the usage on standard error
# and 2.
set -u
player=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

check() { # expected-status stdout-pattern stderr-pattern args...
  want=$1 pout=$2 perr=$3; shift 3
  timeout 10 "$player" "$@" >"$out/o" 2>"$out/e"
  got=$?
  [ "$got" = "$want" ] || fail "$*: status $got, not $want ($(cat "$out/e"))"
  [ -z "$pout" ] || grep -q -- "$pout" "$out/o" || fail "$*: no \"$pout\" on standard output"
  [ -n "$pout" ] || [ ! -s "$out/o" ] || fail "$*: standard output not empty"
  [ -z "$perr" ] || grep -q -- "$perr" "$out/e" || fail "$*: no \"$perr\" on standard error"
}
check 0 "usage : dravo-joueur" "" --help
check 0 "monde_N.lab" "" -h
check 0 "^dravo-joueur [0-9]" "" --version
check 2 "" "option inconnue : --nimporte" --nimporte
check 2 "" "usage : dravo-joueur" --nimporte
check 2 "" "un seul labyrinthe" a.lab b.lab
echo "dravo-joueur options: all passed"
