#!/usr/bin/env bash
# The compile service through the real binary, without a display. First,
# corvel --run shows the screen the end-to-end programs expect of the viewer,
# compiled by javac the first time, then by the compile server the first run
# started; the server ends once its folder is gone. Then one corvel --watch
# across saves, a row each: the source written, then the line its screen or
# report must end with.
# usage: watch_test.sh CORVEL E2E_DIR
set -uo pipefail
corvel=$1
e2e=$2
work=$(mktemp -d)
watcher=
trap '[ -n "$watcher" ] && kill -KILL "$watcher" 2>/dev/null; rm -rf "$work"' EXIT
unset DISPLAY
failed=0
# The servers of this test's own: a folder of its own, which they watch.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

for name in arithmetic arrays_dim backslash_literals guess_number fail_call_chain; do
  mkdir -p "$work/$name"
  input=/dev/null
  [ -f "$e2e/$name.in" ] && input="$e2e/$name.in"
  # A caller reading to the end of a pipe it gave the command (3) is not kept
  # waiting by the server the command left.
  { "$corvel" -q --run -o "$work/$name" "$e2e/$name.txt" <"$input" >"$work/$name/actual" 2>"$work/$name/stderr"
    echo $? >"$work/$name/status"; } 3>&1 | timeout 30 cat >/dev/null ||
    { echo "--run $name: a pipe stayed open after the command"; failed=1; }
  status=$(cat "$work/$name/status")
  [ "$status" -ne 0 ] && echo "exit $status" >>"$work/$name/actual"
  cat "$work/$name/stderr" >>"$work/$name/actual"
  diff -u "$e2e/$name.out" "$work/$name/actual" >&2 || { echo "--run $name: not the viewer's screen"; failed=1; }
  # The next runs are the server's.
  for _ in $(seq 200); do compgen -G "$XDG_RUNTIME_DIR/corvel/compile-*[^k]" >/dev/null && break; sleep 0.1; done
done
server=$(pgrep -f "KWC_Service --serve $XDG_RUNTIME_DIR/")
[ -n "$server" ] || { echo "--run: no compile server started"; failed=1; }
rm -rf "$XDG_RUNTIME_DIR"
for _ in $(seq 150); do kill -0 $server 2>/dev/null || break; sleep 0.1; done
kill -0 $server 2>/dev/null && { echo "--run: the compile server outlived its folder"; failed=1; kill $server; }

# Rows: the program saved, then what standard output (out) or error (err)
# must end with once it has run.
rows=(
  'PRINT "one"|out|one'
  'PRINT "two"|out|two'
  'PRINT "start": DO WHILE 1: A = A + 1: LOOP|out|two'
  'PRINT "three"|out|three'
  'PRINT (|err|    かっこの対応関係が不正です。'
  'PRINT "four"|out|four'
)
program="$work/W.txt"
printf 'PRINT "one"\r\n' >"$program"
"$corvel" -q --watch "$program" </dev/null >"$work/out" 2>"$work/err" &
watcher=$!
# waits_for FILE TEXT: until FILE's last line is TEXT, 20 s at most.
waits_for() {
  for _ in $(seq 400); do
    [ "$(tail -n 1 "$1" 2>/dev/null)" = "$2" ] && return 0
    sleep 0.05
  done
  return 1
}
waits_for "$work/out" one || { echo "--watch: the first run shows nothing"; failed=1; }
for row in "${rows[@]:1}"; do
  IFS='|' read -r source where expected <<<"$row"
  printf '%s\r\n' "$source" >"$work/new" && mv "$work/new" "$program"
  # A program that never ends shows nothing: its screen is the one before.
  [ "$source" = "${source/DO WHILE/}" ] || sleep 2
  waits_for "$work/$where" "$expected" || { echo "--watch after '$source': no '$expected' on $where"; failed=1; }
done
children=$(pgrep -P "$watcher")
kill -INT "$watcher"
wait "$watcher"
[ $? -eq 130 ] || { echo "--watch: Ctrl+C did not end it with 130"; failed=1; }
watcher=
for child in $children; do
  kill -0 "$child" 2>/dev/null && { echo "--watch: process $child is left after Ctrl+C"; failed=1; }
done
exit $failed
