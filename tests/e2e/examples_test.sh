#!/usr/bin/env bash
# The README's example programs: each translates and compiles.
# usage: examples_test.sh CORVEL COMPILE_EACH_JAVA EXAMPLES_DIR WORK
set -uo pipefail
here=$(dirname "$(realpath "$0")")
bash "$here/compile_e2e.sh" "$@" || exit 1
failed=$(find "$4" -name translation -o -name '*.javac-failed')
[ -z "$failed" ] || { echo "FAIL:"; for f in $failed; do echo "$f"; cat "$f"; done; exit 1; }
echo "every example translated and compiled"
