#!/usr/bin/env bash
# From a saved change to the program's result, three ways, on generated
# programs of 1,000 and 10,000 lines, without a display:
#   cold   corvel (javac in a JVM of its own), then the viewer in another
#   --run  corvel --run: the viewer's JVM compiles and runs
#   warm   corvel --watch: from the save to the new screen on standard output
# Each the best of RUNS, in seconds, with warm and --run against cold.
#   bench/edit_run.sh [path/to/corvel] [runs] [lines...]
set -euo pipefail
here=$(dirname "$0")
source "$here/lib.sh"
corvel=$(realpath "${1:-build/corvel}")
runs=${2:-5}
shift $(($# > 2 ? 2 : $#))
sizes=("${@:-1000 10000}")
work=$(mktemp -d)
watcher=
trap '[ -n "$watcher" ] && kill -INT "$watcher" 2>/dev/null; wait; rm -rf "$work"' EXIT
unset DISPLAY

# edit_program LINES MARK: a program that computes, then prints its mark.
edit_program() {
  awk -v n="$1" -v mark="$2" 'BEGIN {
    for (k = 0; k < n - 1; k++) {
      m = k % 6
      if (m == 0) printf "A%d = A%d + %d * B%d%% - 1.5\r\n", k % 300, (k + 7) % 300, k % 97, k % 50
      else if (m == 1) printf "C%d$ = Left(C%d$ + Mid(\"abcdef\", 2, 3), 12)\r\n", k % 40, (k + 3) % 40
      else if (m == 2) printf "B%d%% = (B%d%% MOD 7) \\ 2 + Len(C%d$)\r\n", k % 50, (k + 1) % 50, k % 40
      else if (m == 3) printf "IF A%d > %d THEN A%d = 1 ELSE A%d = Abs(A%d) / 3\r\n", k % 300, k % 13, k % 300, (k + 1) % 300, (k + 2) % 300
      else if (m == 4) printf "FOR I%d = 1 TO 3: A%d = A%d + I%d: NEXT\r\n", k % 20, k % 300, k % 300, k % 20
      else printf "\047 a comment %d\r\n", k
    }
    printf "PRINT \"done\"; %d\r\n", mark
  }'
}

# best SECONDS...: the least.
best() { printf "%s\n" "$@" | sort -g | awk 'NR == 1'; }
now() { echo "$EPOCHREALTIME"; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.3f\n", b - a }'; }

printf "%-7s %8s %8s %8s %10s %10s\n" lines cold run warm run/cold warm/cold
for lines in ${sizes[*]}; do
  dir="$work/p$lines"
  mkdir -p "$dir"
  program="$dir/Edit.txt"
  edit_program "$lines" 0 >"$program"
  java=$(dirname "$(readlink -f "$(command -v javac)")")/java

  cold=() run=() warm=()
  for i in $(seq "$runs"); do
    edit_program "$lines" "$i" >"$program"
    s=$(now)
    "$corvel" -q "$program" && (cd "$dir" && "$java" -cp . KWC_Viewer --headless --dump-text - Edit.html >/dev/null)
    cold+=("$(since "$s")")
    s=$(now)
    "$corvel" -q --run "$program" </dev/null >/dev/null
    run+=("$(since "$s")")
  done

  # The watch writes its screens into a pipe read line by line: each save's
  # time ends when its mark arrives.
  mkfifo "$dir/screens"
  "$corvel" -q --watch "$program" </dev/null >"$dir/screens" &
  watcher=$!
  exec 3<"$dir/screens"
  until read -r line <&3 && [[ $line == done* ]]; do :; done
  sleep 4  # the service compiles the program a few times to warm up
  for i in $(seq "$runs"); do
    mark=$((100 + i))
    edit_program "$lines" "$mark" >"$dir/Edit.new"
    s=$(now)
    mv "$dir/Edit.new" "$program"
    until read -r line <&3 && [[ $line == *" $mark" ]]; do :; done
    warm+=("$(since "$s")")
    sleep 0.5
  done
  kill -INT "$watcher"
  wait "$watcher" || true
  watcher=
  exec 3<&-

  echo "samples: cold ${cold[*]} | run ${run[*]} | warm ${warm[*]}" >&2
  c=$(best "${cold[@]}") r=$(best "${run[@]}") w=$(best "${warm[@]}")
  printf "%-7s %8s %8s %8s %10s %10s\n" "$lines" "$c" "$r" "$w" "$(ratio "$r" "$c")" "$(ratio "$w" "$c")"
done
echo "goals: run/cold <= 0.60; warm <= 0.5 s and warm/cold <= 0.30"
