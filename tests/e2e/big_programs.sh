#!/usr/bin/env bash
# Main programs too long for one Java method: written as parts, compiled by
# javac and run, with and without the program-counter machine.
set -uo pipefail
corvel=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
awk 'BEGIN { printf "N = 0\r\n"; for (k = 0; k < 6000; k++) { printf "N = N + 1: X = X + N MOD 7\r\n"
  if (k % 1000 == 0) printf "FOR I = 1 TO 2: N = N + I: NEXT\r\n" } printf "PRINT N; X\r\n" }' > Plain.txt
awk 'BEGIN { printf "GOTO L0\r\n"; for (k = 0; k < 6000; k++) { printf "*L%d: N = N + 1: X = X + N MOD 7\r\n", k
  if (k % 1000 == 0) printf "FOR I = 1 TO 2: N = N + I: IF I > 5 THEN GOTO L%d\r\nNEXT\r\n", k }
  printf "GOSUB SHOW\r\nEND\r\n*SHOW: PRINT N; X\r\nRETURN\r\n" }' > Jumps.txt
failures=0
for name in Plain Jumps; do
  if ! "$corvel" -q -o out "$name.txt"; then echo "FAIL $name: translation or javac"; failures=$((failures + 1)); continue; fi
  parts=$(grep -c "part[0-9]*(){" "out/$name.java")
  screen=$(cd out && java -cp . KWC_Viewer --headless --timeout-ms 20000 --dump-text - "$name.html")
  if [ "$screen" != " 6018  17994" ] || [ "$parts" -lt 2 ]; then
    echo "FAIL $name: screen [$screen], $parts parts"; failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] && echo "big programs: written as parts, compiled and run"
exit "$failures"
