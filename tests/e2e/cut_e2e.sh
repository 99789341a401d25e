#!/usr/bin/env bash
# Every end-to-end program again, cut as if it were long: parts of a few
# statements, each in a class of its own frame, and every block longer than
# a part in the program-counter form. The screens must not change.
# usage: cut_e2e.sh CORVEL COMPILE_EACH_JAVA PROGRAM_DIR WORK
set -uo pipefail
here=$(dirname "$(realpath "$0")")
bash "$here/compile_e2e.sh" "$1" "$2" "$3" "$4" --part-size 120 || exit 1
failures=0
for program in "$3"/*.txt; do
  if ! bash "$here/run_e2e.sh" "$4" "$program" >"$4/last-diff" 2>&1; then
    echo "FAIL $(basename "$program")"; cat "$4/last-diff"; failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] && echo "every program ran the same when cut into parts"
exit "$failures"
