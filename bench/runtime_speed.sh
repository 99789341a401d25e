#!/usr/bin/env bash
# Compute programs as Corvel and as hand-written Java of the same algorithm
# (bench/speed/NAME.txt beside bench/speed/Name.java; NAME_FORM.txt is another form
# of NAME's algorithm), in one go: each
# translated program run by the headless viewer, each hand-written one by
# java, best of RUNS wall times, less the best time of an empty program of the
# same kind (the JVM's and the viewer's start). Prints the compute times and
# their ratio per program and form: the default text and the one of `corvel -O`.
# usage: bench/runtime_speed.sh [BUILD_DIR] [RUNS]   (default: build, 3)
#        FORMS="default" limits the forms run; PROGRAMS="sieve matrix" the programs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-3}
corvel=$(realpath "$build/corvel")
forms=${FORMS:-default -O}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# best_ms DIR COMMAND...: the best wall time of RUNS runs of COMMAND in DIR, in ms.
best_ms() {
  local dir=$1 s e best=
  shift
  for _ in $(seq "$runs"); do
    s=$(date +%s%N)
    (cd "$dir" && "$@" >/dev/null)
    e=$(date +%s%N)
    t=$(((e - s) / 1000000))
    [ -z "$best" ] || [ "$t" -lt "$best" ] && best=$t
  done
  echo "$best"
}

# translated FORM NAME: translates bench/speed/NAME.txt into WORK/FORM/NAME.
translated() {
  local out="$work/$1/$2" option=()
  [ "$1" = default ] || option=("$1")
  mkdir -p "$out"
  "$corvel" -q "${option[@]}" -o "$out" "bench/speed/$2.txt" >/dev/null
  echo "$out"
}

javac -encoding UTF-8 -d "$work/hand" bench/speed/*.java
# The JVM options the wizard and the editor start the viewer with
# (kViewerJvmOptions); VIEWER_FLAGS="" measures the JVM's defaults.
flags=${VIEWER_FLAGS-"-XX:+UseSerialGC -XX:-TieredCompilation"}
# shellcheck disable=SC2206  # the options are words
viewer=(java $flags -cp . KWC_Viewer --headless)
java_empty=$(best_ms "$work/hand" java -cp . Empty)
names=${PROGRAMS:-$(ls bench/speed/*.txt | xargs -n1 basename | sed 's/\.txt$//' | grep -vx empty)}
printf '%-12s %8s' program "java ms"
for form in $forms; do printf ' %10s %6s' "$form ms" ratio; done
echo
declare -A empty_ms
for form in $forms; do
  empty_ms[$form]=$(best_ms "$(translated "$form" empty)" "${viewer[@]}" empty.html)
done
for name in $names; do
  # Another form of the same algorithm (sieve_goto) is compared with its Java (Sieve).
  class=${name%%_*}
  class=${class^}
  hand=$(($(best_ms "$work/hand" java -cp . "$class") - java_empty))
  printf '%-12s %8d' "$name" "$hand"
  for form in $forms; do
    ms=$(($(best_ms "$(translated "$form" "$name")" "${viewer[@]}" "$name.html") - ${empty_ms[$form]}))
    printf ' %10d %6s' "$ms" "$(awk -v a="$ms" -v b="$hand" 'BEGIN { printf "%.2f", a / (b > 0 ? b : 1) }')"
  done
  echo
done
