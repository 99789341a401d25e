#!/usr/bin/env bash
# The editor as a user feels it, on a virtual X display driven by xdotool:
# - F5 to the program's window, for examples/Drawing.txt (best of RUNS),
#   the first press and the next ones;
# - typing at the end of a 5,000-line program: the time per key from the
#   first key until the saved file holds all of them, against the same on a
#   one-line program (what xdotool and the X server cost on their own).
#   bench/editor_bench.sh [BUILD_DIR] [RUNS]
set -euo pipefail
here=$(dirname "$0")
source "$here/lib.sh"
build=$(realpath "${1:-build}")
runs=${2:-3}
work=$(mktemp -d)
export DISPLAY=:$((500 + RANDOM % 400)) HOME="$work" XDG_CONFIG_HOME="$work/.config"
trap 'pkill -f "KWC_Viewer.*$work" || true; pkill -f -- "$build/corvel-edit" || true; kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
Xvfb "$DISPLAY" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
now_ms() { echo $(($(date +%s%N) / 1000000)); }

open_editor() {  # open_editor FILE: the editor on FILE, focused
  "$build/corvel-edit" "$1" >/dev/null 2>&1 &
  xdotool windowfocus --sync "$(xdotool search --sync --onlyvisible --name "^$(basename "$1")" | head -1)"
  sleep 1
}

cp "$here/../examples/Drawing.txt" "$work/"
# The first F5 starts the compile service; the next ones find its compiler
# warm and replace the program's window.
best=999999 again=999999
for _ in $(seq "$runs"); do
  open_editor "$work/Drawing.txt"
  start=$(now_ms)
  xdotool key F5
  until xdotool search --onlyvisible --name '^Drawing$' >/dev/null 2>&1; do sleep 0.01; done
  ms=$(($(now_ms) - start))
  [ "$ms" -lt "$best" ] && best=$ms
  for _ in 1 2 3; do
    sleep 3  # the service warms its compiler meanwhile
    xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Drawing.txt' | head -1)"
    sleep 0.5
    start=$(now_ms)
    xdotool key F5
    # The old window goes at once; the new one may come with the same number.
    while xdotool search --onlyvisible --name '^Drawing$' >/dev/null 2>&1; do sleep 0.005; done
    until xdotool search --onlyvisible --name '^Drawing$' >/dev/null 2>&1; do sleep 0.01; done
    ms=$(($(now_ms) - start))
    if [ "$ms" -lt "$again" ]; then again=$ms; fi
  done
  pkill -f "KWC_Viewer.*$work" || true
  pkill -f -- "$build/corvel-edit" || true
  sleep 0.5
done
echo "F5 to the program's window (Drawing.txt, best of $runs): first $best ms, again $again ms"

typing_ms_per_key() {  # typing_ms_per_key FILE KEYS
  open_editor "$1"
  xdotool key ctrl+End Return
  local start
  start=$(now_ms)
  xdotool type --delay 0 "$(printf 'X%.0s' $(seq "$2"))Q"
  xdotool key ctrl+s
  until grep -q "X\{$2\}Q" "$1"; do sleep 0.005; done
  ratio $(($(now_ms) - start)) "$2"
  pkill -f -- "$build/corvel-edit" || true
  sleep 0.5
}
jumps_program 5000 >"$work/Long.txt"
printf 'PRINT 1\r\n' >"$work/Short.txt"
echo "typing, ms per key: 5,000-line program $(typing_ms_per_key "$work/Long.txt" 200)," \
     "one-line program $(typing_ms_per_key "$work/Short.txt" 200)"
