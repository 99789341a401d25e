#!/usr/bin/env bash
# The structure and declaration passes on a large head and main program:
# 20,000 module-level declarations (10,000 PUBLIC/PRIVATE lines of two
# declarators, arrays and user-type variables among them) and 20,000 DIM
# lines in the main program. Prints the time of all passes for the full
# program and for its first half; linear growth keeps full / half under 2.5.
#   bench/declarations_bench.sh [path/to/corvel] [runs]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
corvel=${1:-build/corvel}
runs=${2:-9}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

generate() {  # generate SCALE: SCALE module lines and 2 * SCALE DIM lines
  awk -v n="$1" 'BEGIN {
    printf "OPTION BASE 1\r\nTYPE SPOT\r\n    X AS INTEGER\r\n    Y AS INTEGER\r\nEND TYPE\r\n"
    for (k = 0; k < n; k++) {
      if (k % 4 == 0) printf "PUBLIC P%d AS LONG, Q%d(10, 0 TO 5) AS DOUBLE\r\n", k, k
      else if (k % 4 == 1) printf "PRIVATE R%d$, S%d AS STRING * 16\r\n", k, k
      else if (k % 4 == 2) printf "PUBLIC T%d AS SPOT, U%d(3) AS SPOT\r\n", k, k
      else printf "PRIVATE V%d%%, W%d AS BOOLEAN\r\n", k, k
    }
    for (k = 0; k < 2 * n; k++) {
      if (k % 2 == 0) printf "DIM L%d AS INTEGER\r\n", k
      else printf "DIM M%d(-5 TO 5) AS SINGLE\r\n", k
    }
  }'
}
generate 10000 > "$work/Full.txt"
generate 5000 > "$work/Half.txt"
"$corvel" --no-javac -q -o "$work" "$work/Full.txt" || { echo "the generated program was rejected"; exit 1; }

full=$(median_pass_ms "$corvel" "$work/Full.txt" "$runs" '.')
half=$(median_pass_ms "$corvel" "$work/Half.txt" "$runs" '.')
echo "lines: $(wc -l < "$work/Full.txt") full, $(wc -l < "$work/Half.txt") half"
echo "all passes, full program: ${full} ms (median of $runs)"
echo "all passes, half program: ${half} ms"
echo "full / half: $(ratio "$full" "$half")"
"$corvel" --no-javac -q --time-passes -o "$work" "$work/Full.txt" 2>&1 | sed 's/^/  /'
