# Shared helpers of the benchmark scripts; sourced, not run.

# median_pass_ms CORVEL FILE RUNS PATTERN: the median over RUNS runs of the
# summed times of the passes whose names match the awk regex PATTERN, in ms.
median_pass_ms() {
  local corvel=$1 file=$2 runs=$3 pattern=$4 out
  out=$(mktemp -d)
  for _ in $(seq "$runs"); do
    "$corvel" --no-javac -q --time-passes -o "$out" "$file" 2>&1 >/dev/null |
      awk -v p="$pattern" '$1 == "pass" && $2 ~ p { sum += $3 } END { printf "%.3f\n", sum }'
  done | sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'
  rm -rf "$out"
}

# median_wall_ms CORVEL FILE RUNS: the median wall time of the whole command.
median_wall_ms() {
  local corvel=$1 file=$2 runs=$3 out s e
  out=$(mktemp -d)
  for _ in $(seq "$runs"); do
    s=$(date +%s%N)
    "$corvel" --no-javac -q -o "$out" "$file" >/dev/null 2>&1 || true
    e=$(date +%s%N)
    echo $(((e - s) / 1000))
  done | sort -n | awk '{ a[NR] = $1 } END { printf "%.1f\n", a[int((NR + 1) / 2)] / 1000 }'
  rm -rf "$out"
}

# ratio A B: A / B with two decimals.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f\n", a / b }'; }

# jumps_program LINES: the benchmark program of assignments, PRINTs, labels
# and a GOTO or GOSUB every few lines.
jumps_program() {
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
