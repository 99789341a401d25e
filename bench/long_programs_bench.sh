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
jumps_program 32767 >"$work/programs/jumps_32767.txt"

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
