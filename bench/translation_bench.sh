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

jumps_program 32767 > "$work/Full.txt"
jumps_program 16383 > "$work/Half.txt"
jumps_program 2000 > "$work/Small.txt"

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
