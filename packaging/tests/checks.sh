# What both package tests share; sourced after `name` is set.
# Gives: root, version, status (1 once a check fails), fail MESSAGE (ends the test), check WHAT COMMAND...
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
version="$("$root/scripts/product-version.sh")"
status=0
fail() { echo "FAIL $name: $*"; exit 1; }
check() { local what="$1"; shift; if "$@"; then echo "ok    $name $what"; else echo "FAIL $name $what"; status=1; fi; }
