#!/usr/bin/env bash
# Takes the wizard's screenshots for the README and the manual, on a virtual
# X display driven by the keyboard: the main window after a program was made,
# the JDK window (javac kept off PATH), a report with its hint, and the
# editor showing a report at its line.
# usage: tools/screenshots.sh [BUILD_DIR]   (writes docs/wizard_*.png, docs/editor.png)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
# The folder lists show the home folder's neighbours: a home of its own under
# /home looks like a user's.
work=$(mktemp -d /home/student.XXXX 2>/dev/null || mktemp -d)
export DISPLAY=:$((500 + RANDOM % 400))
# Windows are stopped by process number: a developer's own wizard or editor
# stays open.
apps=""
stop() { kill $apps 2>/dev/null || true; apps=""; sleep 0.5; }
trap 'stop; kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
Xvfb "$DISPLAY" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

shoot() {  # shoot WINDOW_NAME_REGEX OUT.png
  local window
  window=$(xdotool search --sync --onlyvisible --name "$1" | tail -1)
  sleep 1
  xwd -silent -id "$window" >"$work/shot.xwd"
  java tools/XwdToPng.java "$work/shot.xwd" "$2"
  echo "$2"
}

start() {  # start HOME_WITH_PROGRAM [ENV...]: the wizard, focused
  (cd / && exec env "${@:2}" HOME="$1" XDG_CONFIG_HOME="$1/.config" "$build/corvel-wizard" >/dev/null 2>&1) &
  apps="$apps $!"
  xdotool windowfocus --sync "$(xdotool search --sync --onlyvisible --name '^Corvel$' | head -1)"
  sleep 2
}

mkdir -p "$work/課題1" "$work/課題2" "$work/課題3"
cp examples/Hello.txt "$work/課題1/" 2>/dev/null || printf 'PRINT "こんにちは"\r\n' >"$work/課題1/Hello.txt"
start "$work/課題1"
xdotool key Down Return
for _ in $(seq 100); do [ -f "$work/課題1/Hello.class" ] && break; sleep 0.2; done
shoot '^Corvel$' docs/wizard_main.png
stop

printf 'PRINT "合計"　+ 1\r\n' >"$work/課題3/Report.txt"
start "$work/課題3"
xdotool key Down Return
shoot '^Syntax Error$' docs/wizard_report.png
xdotool key Return
stop

cp "$work/課題1/Hello.txt" "$work/課題2/"
start "$work/課題2" -u JAVA_HOME PATH=/nonexistent
xdotool key Down Return
shoot 'ＪＤＫ' docs/wizard_jdk.png
stop

# The editor: a program with a fault, F5, the report under the text and the
# line marked.
cat >"$work/課題1/Ball.txt" <<'PROGRAM'
' ボールが跳ねる
X = 20: Y = 20: DX = 3: DY = 2
FOR T = 1 TO 200
    Cls
    CIRCLE (X, Y), 8, 4
    X = X + DX:　Y = Y + DY
    IF X < 8 OR X > 312 THEN DX = -DX
    IF Y < 8 OR Y > 232 THEN DY = 0 - DY
NEXT T
PRINT "おしまい"
PROGRAM
(cd / && exec env HOME="$work/課題1" XDG_CONFIG_HOME="$work/課題1/.config" "$build/corvel-edit" "$work/課題1/Ball.txt" >/dev/null 2>&1) &
apps="$apps $!"
xdotool windowfocus --sync "$(xdotool search --sync --onlyvisible --name '^Ball.txt' | head -1)"
sleep 1
xdotool key F5
sleep 4
shoot '^Ball.txt' docs/editor.png
stop
