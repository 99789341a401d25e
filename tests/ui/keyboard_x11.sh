#!/usr/bin/env bash
# The wizard in a real X server, driven only by the keyboard: started from /
# with a home folder holding one program, Down then Return in the file list
# must make the program (its class file beside it, the output folder being
# the home folder too on a first run); then F5 must run it.
# usage: keyboard_x11.sh CORVEL_WIZARD
set -uo pipefail
wizard=$(realpath "$1")
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (tools/install-deps.sh installs it)"; exit 1; }
done
work=$(mktemp -d)
display=:$((500 + RANDOM % 400))
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
mkdir -p "$work/home"
printf 'PRINT "keyboard"\r\n' >"$work/home/Hello.txt"
(cd / && HOME="$work/home" XDG_CONFIG_HOME="$work/config" "$wizard" >"$work/wizard.log" 2>&1) &
app=$!
window=$(xdotool search --sync --onlyvisible --name '^Corvel$' | head -1)
# No window manager gives the focus: take it, then let the folder lists fill.
xdotool windowfocus --sync "$window"
sleep 2
xdotool key Down
sleep 0.5
xdotool key Return
for _ in $(seq 150); do [ -f "$work/home/Hello.class" ] && break; sleep 0.2; done
if [ -f "$work/home/Hello.class" ] && [ -f "$work/home/Hello.html" ]; then
  # F5 runs it: the program's window opens, titled with its name.
  xdotool key F5
  if xdotool search --sync --onlyvisible --name '^Hello$' >/dev/null; then
    echo "Down then Return made the program, F5 ran it"
    pkill -f "KWC_Viewer.*Hello.html"
    exit 0
  fi
  echo "FAIL: F5 opened no program window"
else
  echo "FAIL: no Hello.class after Down, Return"
fi
ls -la "$work/home"
cat "$work/wizard.log"
exit 1
