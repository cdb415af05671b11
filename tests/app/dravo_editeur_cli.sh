#!/bin/sh
# dravo-editeur's options answer without a display: --help and --version on standard output
# with status 0, an unknown option or a second file with the usage on standard error and 2.
set -u
editor=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

check() { # expected-status stdout-pattern stderr-pattern args...
  want=$1 pout=$2 perr=$3; shift 3
  "$editor" "$@" >"$out/o" 2>"$out/e"
  got=$?
  [ "$got" = "$want" ] || fail "$*: status $got, not $want ($(cat "$out/e"))"
  [ -z "$pout" ] || grep -q -- "$pout" "$out/o" || fail "$*: no \"$pout\" on standard output"
  [ -n "$pout" ] || [ ! -s "$out/o" ] || fail "$*: standard output not empty"
  [ -z "$perr" ] || grep -q -- "$perr" "$out/e" || fail "$*: no \"$perr\" on standard error"
}
check 0 "usage : dravo-editeur" "" --help
check 0 "FICHIER.lab" "" -h
check 0 "^dravo-editeur [0-9]" "" --version
check 2 "" "option inconnue : --nimporte" --nimporte
check 2 "" "usage : dravo-editeur" --nimporte
check 2 "" "un seul fichier" a.lab b.lab
echo "dravo-editeur options: all passed"
