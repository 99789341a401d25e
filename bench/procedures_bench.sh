#!/usr/bin/env bash
# A program of a few hundred procedures: 32,767 lines (and half of it) of
# FUNCTIONs and SUBs that call each other, with parameters by value and by
# reference, STATICs, DIMs and a GOSUB in every fourth, translated without
# javac (target: full / half < 2.5); then the 2,000-line program compiled.
#   bench/procedures_bench.sh [path/to/corvel] [runs]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
corvel=${1:-build/corvel}
runs=${2:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

procedures_program() {  # procedures_program LINES: 100 lines a procedure, the rest main program
  awk -v n="$1" 'function out(text) { body = body text "\r\n"; ++lines }
  BEGIN {
    count = int((n - 50) / 108)
    for (p = 0; p < count; p++) {
      kind = p % 2 == 0 ? "FUNCTION" : "SUB"
      if (p % 2 == 0) out(sprintf("FUNCTION F%d&(BYVAL N AS INTEGER, R AS LONG)", p))
      else out(sprintf("SUB S%d(BYVAL N AS INTEGER, R AS LONG)", p))
      out(sprintf("STATIC C%d AS LONG", p)); out("DIM L AS LONG, X AS DOUBLE, S$")
      out("IF N <= 0 THEN EXIT " kind); out(sprintf("C%d = C%d + 1", p, p))
      for (k = 0; k < 88; k++) {
        m = k % 4
        if (m == 0) out(sprintf("L = L + N * %d + R MOD 7", k))
        else if (m == 1) out(sprintf("X = X + L / %d.5", k + 1))
        else if (m == 2) out("S$ = LEFT$(S$ + CHR$(65 + L MOD 26), 20)")
        else if (p > 1 && k % 16 == 3) out(sprintf("S%d N - 1, L", (p - 1) - (p - 1) % 2 + 1))
        else out("R = R + 1")
      }
      if (p % 2 == 0) out(sprintf("F%d = L + C%d", p, p)); else out("R = R + L")
      if (p % 4 <= 1) { out("GOSUB *G" p); out("EXIT " kind); out("*G" p); out("L = L + 1"); out("RETURN") }
      else { out("L = L + 1"); out("L = L + 2"); out("L = L + 3"); out("L = L + 4"); out("L = L + 5") }
      out("END " kind)
    }
    printf "T& = 0\r\n"; main = 2
    for (p = 0; p < count; p += 38) { printf "T& = T& + F%d&(3, T&)\r\n", p; ++main }
    # Lines of several statements (the IF, the labels) count more than one:
    # the program stays within the statement limit.
    while (main + lines + 8 * count < n) { printf "T& = T& + 1\r\n"; ++main }
    printf "PRINT T&\r\n%s", body
  }'
}
procedures_program 32767 >"$work/Full.txt"
procedures_program 16383 >"$work/Half.txt"

full=$(median_wall_ms "$corvel" "$work/Full.txt" "$runs")
half=$(median_wall_ms "$corvel" "$work/Half.txt" "$runs")
"$corvel" --no-javac -q -o "$work/out" "$work/Full.txt"
echo "lines: $(wc -l <"$work/Full.txt") full, $(wc -l <"$work/Half.txt") half; procedures: $(grep -c '^END \(SUB\|FUNCTION\)' "$work/Full.txt"); java: $(wc -c <"$work/out/Full.java") bytes"
echo "translate + write, full program: ${full} ms (median of $runs)"
echo "translate + write, half program: ${half} ms"
echo "full / half: $(ratio "$full" "$half")"
"$corvel" --no-javac -q --time-passes -o "$work/out" "$work/Full.txt" 2>&1 | sed 's/^/  /'

mkdir -p "$work/javac"
"$corvel" --no-javac -q -o "$work/javac" "$work/Full.txt"
s=$(date +%s%N)
(cd "$work/javac" && javac -encoding UTF-8 Full.java)
e=$(date +%s%N)
echo "javac, full program: $(awk -v ns=$((e - s)) 'BEGIN { printf "%.0f", ns / 1e6 }') ms"
(cd "$work/javac" && java -cp . KWC_Viewer --headless --timeout-ms 60000 --dump-text - Full.html | tail -1 | sed 's/^/screen: /')
