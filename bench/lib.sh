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
