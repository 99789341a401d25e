#!/usr/bin/env bash
# Reading + lexing a 32,767-line program with the real binary: generates the
# program (mixed statements, labels, literals, comments, ~60 characters a
# line), times the reading pass for the whole program and for its first half,
# and prints the figures. Target: full < 50 ms, full / half < 2.5.
#   bench/lex_bench.sh [path/to/corvel] [runs]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
corvel=${1:-build/corvel}
runs=${2:-15}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk 'BEGIN {
  for (n = 0; n < 32767; n++) {
    k = n % 8
    if (k == 0) printf "*L%d: A%d = A%d + 1.5E-3 * &HFF& - &177 %s\r\n", n, n, n, "'"'"' bump it once"
    else if (k == 1) printf "PRINT \"合計\"; A%d, B$; 3.14159 %s\r\n", n - 1, "'"'"' the running total so far"
    else if (k == 2) printf "%s a comment line that the lexer never sees at all ......\r\n", "'"'"'"
    else if (k == 3) printf "\tB$ = \"text with '"'"'quote'"'"' and \\\"escape\\\"\" + C$ %s\r\n", "'"'"' note"
    else if (k == 4) printf "%s another comment, with tabs\tand more text .........\r\n", "'"'"'"
    else if (k == 5) printf "%d X = X * 2 + Y / 3 - Z MOD 4 %s\r\n", n, "'"'"' numbered line"
    else if (k == 6) printf "    GOTO L%d %s\r\n", n - 6, "'"'"' jump back to the label of this block"
    else printf "    %s closing remark of the block, in plain words ..........\r\n", "'"'"'"
  }
}' > "$work/Full.txt"
head -n 16383 "$work/Full.txt" > "$work/Half.txt"
tr -d '\n' < "$work/Full.txt" > "$work/FullCr.txt"  # the same program with CR line ends

full=$(median_pass_ms "$corvel" "$work/Full.txt" "$runs" '^ReadSourceFile:')
half=$(median_pass_ms "$corvel" "$work/Half.txt" "$runs" '^ReadSourceFile:')
full_cr=$(median_pass_ms "$corvel" "$work/FullCr.txt" "$runs" '^ReadSourceFile:')
wall=$(median_wall_ms "$corvel" "$work/Full.txt" "$runs")
"$corvel" --no-javac -q -o "$work" "$work/Full.txt" || { echo "the generated program was rejected"; exit 1; }
echo "lines: $(wc -l < "$work/Full.txt") full, $(wc -l < "$work/Half.txt") half; bytes: $(wc -c < "$work/Full.txt")"
echo "read + lex, full program: ${full} ms (median of $runs)"
echo "read + lex, half program: ${half} ms"
echo "full / half: $(ratio "$full" "$half")"
echo "read + lex, full program with CR line ends: ${full_cr} ms"
echo "whole command, full program: ${wall} ms"
