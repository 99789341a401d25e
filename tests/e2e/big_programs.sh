#!/usr/bin/env bash
# Limits: blocks nested to the limit and one beyond, literals longer than a
# class-file constant, many arrays, a user type of too many elements. (Long
# programs are in long_programs.sh.)
set -uo pipefail
corvel=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0

# Blocks nested as deep as the limit (the deepest Java kind: SELECT CASE on a
# string, an if-chain), with and without a jump out of the innermost; one
# level more is refused at the block beyond the limit.
nest() {  # nest LEVELS JUMP
  awk -v n="$1" -v jump="$2" 'BEGIN { printf "S$ = \"a\"\r\n"
    for (k = 0; k < n; k++) printf "SELECT CASE S$\r\nCASE \"a\"\r\n"
    printf "PRINT \"deep\"\r\n"; if (jump) printf "GOTO OUT\r\n"
    for (k = 0; k < n; k++) printf "CASE \"b\"\r\nEND SELECT\r\n"
    printf "*OUT: PRINT \"out\"\r\n" }'
}
nest 255 0 > Deep.txt
nest 255 1 > DeepJump.txt
for name in Deep DeepJump; do
  if ! "$corvel" -q -o "out$name" "$name.txt"; then echo "FAIL $name: translation or javac"; failures=$((failures + 1)); continue; fi
  screen=$(cd "out$name" && java -cp . KWC_Viewer --headless --timeout-ms 20000 --dump-text - "$name.html")
  [ "$screen" = $'deep\nout' ] || { echo "FAIL $name: screen [$screen]"; failures=$((failures + 1)); }
done
nest 256 0 > Deeper.txt
"$corvel" -q --no-javac -o outDeeper Deeper.txt 2>report.txt
status=$?
if [ "$status" -ne 1 ] || ! grep -q '第512行目' report.txt || ! grep -q 'ブロックの入れ子が深すぎます（255段まで）' report.txt; then
  echo "FAIL Deeper: exit $status, $(cat report.txt)"; failures=$((failures + 1))
fi
# String literals longer than a class-file constant holds (65,535 bytes):
# written in pieces, escapes kept whole.
awk 'BEGIN { printf "S$ = \""; for (k = 0; k < 21846; k++) printf "あ"; printf "\"\r\nA$ = \""
  for (k = 0; k < 6000; k++) printf "あ\\123"; printf "\"\r\nPRINT Len(S$); Len(A$); Right(A$, 2)\r\n" }' > LongText.txt
if ! "$corvel" -q -o outLongText LongText.txt; then
  echo "FAIL LongText: translation or javac"; failures=$((failures + 1))
else
  screen=$(cd outLongText && java -cp . KWC_Viewer --headless --timeout-ms 20000 --dump-text - LongText.html)
  [ "$screen" = " 21846  12000 あS" ] || { echo "FAIL LongText: screen [$screen]"; failures=$((failures + 1)); }
fi

# Arrays too many to create in one method, in a program small enough not
# to be cut into parts.
awk 'BEGIN { for (k = 0; k < 1850; k++) printf "DIM A%d(1) AS INTEGER\r\n", k
  printf "A1849(1) = 7: A0(0) = 3\r\nPRINT A0(0); A1849(1)\r\n" }' > ManyArrays.txt
for spec in "ManyArrays: 3  7"; do
  name=${spec%%:*}
  if ! "$corvel" -q -o "out$name" "$name.txt"; then echo "FAIL $name: translation or javac"; failures=$((failures + 1)); continue; fi
  screen=$(cd "out$name" && java -cp . KWC_Viewer --headless --timeout-ms 20000 --dump-text - "$name.html")
  [ "$screen" = "${spec#*:}" ] || { echo "FAIL $name: screen [$screen]"; failures=$((failures + 1)); }
done

# 760 nested IF blocks once overflowed javac's stack: refused at the 256th.
awk 'BEGIN { for (k = 0; k < 760; k++) printf "IF X = 0 THEN\r\n"; printf "PRINT 1\r\n"
  for (k = 0; k < 760; k++) printf "END IF\r\n" }' > DeepIf.txt
"$corvel" -q --no-javac -o outDeepIf DeepIf.txt 2>report.txt
if [ $? -ne 1 ] || ! grep -q '第256行目' report.txt || ! grep -q '第1文字目' report.txt; then
  echo "FAIL DeepIf: $(cat report.txt)"; failures=$((failures + 1))
fi

# One element more than a user type's class can hold: refused at its line.
awk 'BEGIN { printf "TYPE BIG\r\n"; for (k = 0; k < 8001; k++) printf "E%d AS INTEGER\r\n", k; printf "END TYPE\r\n" }' > Elements.txt
"$corvel" -q --no-javac -o outElements Elements.txt 2>report.txt
if [ $? -ne 1 ] || ! grep -q '第8002行目' report.txt || ! grep -q '要素が多すぎます（8000個まで）' report.txt; then
  echo "FAIL Elements: $(cat report.txt)"; failures=$((failures + 1))
fi

[ "$failures" -eq 0 ] && echo "big programs: written as parts, deep nests, compiled and run"
exit "$failures"
