#!/usr/bin/env bash
# Expressions at scale: a 32,767-line program of assignments whose right
# sides hold 5 to 30 operands over 400 variables of four types, translated
# by the pipeline's passes and the expression translator. Prints the median
# times for the full program and its first half. Targets: full < 300 ms,
# full / half < 2.5.
#   bench/expression_bench.sh [build folder] [runs]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
build=${1:-build}
runs=${2:-7}
bench_bin="$build/corvel_bench_expressions"
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

median_total() {
  for _ in $(seq "$runs"); do "$bench_bin" "$1" | awk '/^total:/ { print $2 }'; done |
    sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'
}
"$bench_bin" "$work/Full.txt" | sed 's/^/  /'
full=$(median_total "$work/Full.txt")
half=$(median_total "$work/Half.txt")
echo "lines: $(wc -l < "$work/Full.txt") full, $(wc -l < "$work/Half.txt") half; bytes: $(wc -c < "$work/Full.txt")"
echo "passes + expressions, full program: ${full} ms (median of $runs)"
echo "passes + expressions, half program: ${half} ms"
echo "full / half: $(ratio "$full" "$half")"
