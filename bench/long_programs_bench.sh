#!/usr/bin/env bash
# Programs past Java's method and class-file limits: the 32,767-line
# benchmark program of translation_bench.sh (jumps on every few lines) and
# the long programs of the end-to-end tests (blocks of 5,000 statements of
# every kind, long chains, 32,767 literals, 95,000 variables). For each:
# translation time (median of RUNS, without javac), javac time (one run),
# size of the Java text and the classes javac wrote.
#   bench/long_programs_bench.sh [path/to/corvel] [runs]
set -euo pipefail
here=$(dirname "$0")
source "$here/lib.sh"
corvel=$(realpath "${1:-build/corvel}")
runs=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

bash "$here/../tests/e2e/long_programs.sh" write "$work/programs"
# The translation benchmark's program: a GOTO or GOSUB every few lines.
awk 'BEGIN { for (k = 0; k < 32767; k++) { m = k % 8
    if (m == 0) printf "*L%d: A%d = A%d + %d * B%d%% - 1.5\r\n", k, k % 300, (k + 7) % 300, k % 97, k % 50
    else if (m == 1) printf "PRINT \"value\"; A%d, B%d%%; C%d$\r\n", k % 300, k % 50, k % 40
    else if (m == 2) printf "C%d$ = C%d$ + Mid(\"abcdef\", 2, 3) \047 text\r\n", k % 40, (k + 3) % 40
    else if (m == 3) printf "B%d%% = (B%d%% MOD 7) \\ 2 + Len(C%d$)\r\n", k % 50, (k + 1) % 50, k % 40
    else if (m == 4) printf "GOSUB L%d\r\n", k - 4
    else if (m == 5) printf "\047 A%d = Abs(A%d) / 3, a comment\r\n", k % 300, (k + 11) % 300
    else if (m == 6) printf "GOTO L%d\r\n", k - 6
    else printf "RETURN\r\n" } }' >"$work/programs/jumps_32767.txt"

printf "%-22s %7s %12s %10s %8s %8s\n" program lines "translate ms" "javac ms" "java KB" classes
for program in "$work"/programs/*.txt; do
  name=$(basename "${program%.txt}")
  out="$work/out/$name"
  mkdir -p "$out"
  translate=$(median_wall_ms "$corvel" "$program" "$runs")
  "$corvel" --no-javac -q -o "$out" "$program"
  s=$(date +%s%N)
  (cd "$out" && javac -encoding UTF-8 "$name.java")
  e=$(date +%s%N)
  printf "%-22s %7d %12s %10.0f %8d %8d\n" "$name" "$(wc -l <"$program")" "$translate" \
    "$(awk -v ns=$((e - s)) 'BEGIN { print ns / 1e6 }')" "$(($(wc -c <"$out/$name.java") / 1024))" \
    "$(find "$out" -name "*$name*.class" -o -name "KWU_*.class" | wc -l)"
done
