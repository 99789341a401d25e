#!/usr/bin/env bash
# The graphics programs of this folder: translated and compiled like the
# end-to-end programs, run by the viewer without a display, and the PNG of
# each screen checked at the pixels its PIXEL and INK remarks name.
# usage: run_pixels.sh CORVEL COMPILE_EACH_JAVA WORK
set -uo pipefail
here=$(dirname "$(realpath "$0")")
work=$3
bash "$here/../compile_e2e.sh" "$1" "$2" "$here" "$work" || exit 1
failures=0
for program in "$here"/*.txt; do
  name=$(basename "${program%.txt}")
  out="$work/$name/output folder"
  if [ -f "$work/$name/translation" ] || [ ! -f "$out/$name.class" ]; then
    echo "FAIL $name: not translated or not compiled"; cat "$work/$name/translation" "$out/$name.javac-failed" 2>/dev/null
    failures=$((failures + 1)); continue
  fi
  if ! (cd "$out" && java -cp . KWC_Viewer --headless --timeout-ms 20000 --png "$work/$name.png" "$name.html" \
      >"$work/$name.log" 2>&1); then
    echo "FAIL $name: the viewer failed"; cat "$work/$name.log"; failures=$((failures + 1)); continue
  fi
  if ! java "$here/PixelCheck.java" "$program" "$work/$name.png"; then failures=$((failures + 1)); fi
done
[ "$failures" -eq 0 ] && echo "every graphics program drew what it should"
exit "$failures"
