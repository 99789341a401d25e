#!/usr/bin/env bash
# REDIM at run time: an array grown by one element 30,000 times with REDIM
# PRESERVE (every element kept, checked at the end), and 1,000,000 element
# reads and writes through the generated array class of a user type.
# Prints the run time of each program in the viewer (JVM start included)
# and, for comparison, of an empty program.
#   bench/redim_bench.sh [path/to/corvel]
set -euo pipefail
corvel=$(realpath "${1:-build/corvel}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

printf 'PRINT "empty"\r\n' >Empty.txt
cat >Grow.txt <<'PROGRAM'
DIM A() AS LONG
FOR K = 1 TO 30000
  REDIM PRESERVE A(1 TO K)
  A(K) = K
NEXT
S# = 0
FOR K = 1 TO 30000: S# = S# + A(K): NEXT
PRINT S#
PROGRAM
cat >Records.txt <<'PROGRAM'
TYPE CELL
  V AS LONG
  W AS INTEGER
END TYPE
DIM C(999) AS CELL
FOR R = 1 TO 1000
  FOR K = 0 TO 999
    C(K).V = C(K).V + K
  NEXT
NEXT
S# = 0
FOR K = 0 TO 999: S# = S# + C(K).V: NEXT
PRINT S#
PROGRAM
for name in Empty Grow Records; do
  "$corvel" -q -o "out$name" "$name.txt"
  s=$(date +%s%N)
  screen=$(cd "out$name" && java -cp . KWC_Viewer --headless --dump-text - "$name.html")
  e=$(date +%s%N)
  printf "%-8s %6d ms  screen: %s\n" "$name" $(((e - s) / 1000000)) "$screen"
done
PROGRAM=
