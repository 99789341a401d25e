#!/usr/bin/env bash
# Whole translations: a 32,767-line program of assignments, PRINTs, labels
# and a GOTO or GOSUB every few lines, translated and written with
# --no-javac (full and half program: target < 300 ms, full / half < 2.5);
# then a 2,000-line program translated and compiled, to compare the
# translator's time with javac's.
#   bench/translation_bench.sh [path/to/corvel] [runs]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
corvel=${1:-build/corvel}
runs=${2:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

generate() {  # generate LINES
  awk -v n="$1" 'BEGIN {
    for (k = 0; k < n; k++) {
      m = k % 8
      if (m == 0) printf "*L%d: A%d = A%d + %d * B%d%% - 1.5\r\n", k, k % 300, (k + 7) % 300, k % 97, k % 50
      else if (m == 1) printf "PRINT \"value\"; A%d, B%d%%; C%d$\r\n", k % 300, k % 50, k % 40
      else if (m == 2) printf "C%d$ = C%d$ + Mid(\"abcdef\", 2, 3) \047 text\r\n", k % 40, (k + 3) % 40
      else if (m == 3) printf "B%d%% = (B%d%% MOD 7) \\ 2 + Len(C%d$)\r\n", k % 50, (k + 1) % 50, k % 40
      else if (m == 4) printf "GOSUB L%d\r\n", k - 4
      else if (m == 5) printf "\047 A%d = Abs(A%d) / 3 + Sqr(2), kept as a comment\r\n", k % 300, (k + 11) % 300
      else if (m == 6) printf "GOTO L%d\r\n", k - 6
      else printf "RETURN\r\n"
    }
  }'
}
generate 32767 > "$work/Full.txt"
generate 16383 > "$work/Half.txt"
generate 2000 > "$work/Small.txt"

full=$(median_wall_ms "$corvel" "$work/Full.txt" "$runs")
half=$(median_wall_ms "$corvel" "$work/Half.txt" "$runs")
"$corvel" --no-javac -q -o "$work/out" "$work/Full.txt"
echo "lines: 32767 full, 16383 half; bytes: $(wc -c < "$work/Full.txt"); java: $(wc -c < "$work/out/Full.java")"
echo "translate + write, full program: ${full} ms (median of $runs)"
echo "translate + write, half program: ${half} ms"
echo "full / half: $(ratio "$full" "$half")"
"$corvel" --no-javac -q --time-passes -o "$work/out" "$work/Full.txt" 2>&1 | sed 's/^/  /'

small=$(median_wall_ms "$corvel" "$work/Small.txt" "$runs")
mkdir -p "$work/javac"
"$corvel" --no-javac -q -o "$work/javac" "$work/Small.txt"
s=$(date +%s%N)
(cd "$work/javac" && javac -encoding UTF-8 Small.java)
e=$(date +%s%N)
javac_ms=$(awk -v ns=$((e - s)) 'BEGIN { printf "%.1f", ns / 1e6 }')
echo "2,000 lines: translation ${small} ms, javac ${javac_ms} ms, translation / javac $(ratio "$small" "$javac_ms")"
