#!/usr/bin/env bash
# Expressions at scale: a 32,767-line program of assignments whose right
# sides hold 5 to 30 operands over 400 variables of four types, translated
# by the pipeline's passes and the expression translator. Prints the median
# times for the full program and its first half. Targets: full < 300 ms,
# full / half < 2.5.
#   bench/expression_bench.sh [path/to/corvel] [runs]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
corvel=${1:-build/corvel}
runs=${2:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk 'BEGIN {
  srand(7)
  split("% & ! #", suffix, " ")
  split("+ - * + - *", op, " ")
  for (n = 0; n < 32767; n++) {
    v = int(rand() * 400)
    line = sprintf("V%d%s = ", v, suffix[v % 4 + 1])
    operands = 5 + int(rand() * 26)
    for (k = 0; k < operands; k++) {
      if (k > 0) line = line " " op[int(rand() * 6) + 1] " "
      if (rand() < 0.25) line = line int(rand() * 100)
      else { w = int(rand() * 400); line = line sprintf("V%d%s", w, suffix[w % 4 + 1]) }
    }
    printf "%s\r\n", line
  }
}' > "$work/Full.txt"
head -n 16383 "$work/Full.txt" > "$work/Half.txt"

"$corvel" --no-javac -q -o "$work" "$work/Full.txt" || { echo "the generated program was rejected"; exit 1; }
full=$(median_pass_ms "$corvel" "$work/Full.txt" "$runs" '.')
half=$(median_pass_ms "$corvel" "$work/Half.txt" "$runs" '.')
echo "lines: $(wc -l < "$work/Full.txt") full, $(wc -l < "$work/Half.txt") half; bytes: $(wc -c < "$work/Full.txt")"
echo "all passes, full program: ${full} ms (median of $runs)"
echo "all passes, half program: ${half} ms"
echo "full / half: $(ratio "$full" "$half")"
"$corvel" --no-javac -q --time-passes -o "$work" "$work/Full.txt" 2>&1 | sed 's/^/  /'
