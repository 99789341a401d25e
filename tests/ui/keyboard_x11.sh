#!/usr/bin/env bash
# The windows in a real X server, driven only by the keyboard.
# - The wizard, started from / with a home folder holding one program: Down
#   then Return in the file list must make the program (its class file
#   beside it, the output folder being the home folder too on a first run);
#   then F5 must run it.
# - The editor, opened on a program: a line typed, Ctrl+S saves it, F5
#   opens the program's window.
# - corvel --watch: each save's program shows in the first program's window,
#   a program that never ends included.
# usage: keyboard_x11.sh CORVEL_WIZARD CORVEL_EDIT CORVEL
set -uo pipefail
wizard=$(realpath "$1")
editor=$(realpath "$2")
corvel=$(realpath "$3")
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (tools/install-deps.sh installs it)"; exit 1; }
done
work=$(mktemp -d)
cleanup() {
  pkill -f "KWC_Viewer.*$work" 2>/dev/null
  # By process number: a pattern would match this script's own arguments.
  kill ${apps:-} 2>/dev/null
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
# The server picks a free display and names it once it takes clients: a
# busy machine may take seconds.
Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start: $(cat "$work/xvfb.log")"; exit 1; }
export DISPLAY=:$(head -1 "$work/display") HOME="$work/home" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME"
status=0
fail() { echo "FAIL: $*"; status=1; }
# Waits up to 20 s for a visible window whose title matches; focuses it (no
# window manager gives the focus here).
focus() {
  local window=""
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] && xdotool windowfocus --sync "$window" && sleep 1.5
}
# Presses KEY in the focused window until a window titled TITLE shows: the
# class file may be on disk a moment before javac has ended and the button
# is enabled, and a loaded machine makes that moment long.
press_until() {
  local window=""
  for _ in 1 2 3 4; do
    xdotool key "$1"
    for _ in $(seq 50); do
      window=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | head -1)
      [ -n "$window" ] && return 0
      sleep 0.2
    done
  done
  return 1
}
exists() { for _ in $(seq 150); do [ -e "$1" ] && return 0; sleep 0.2; done; return 1; }

printf 'PRINT "keyboard"\r\n' >"$HOME/Hello.txt"
(cd / && exec "$wizard" >"$work/wizard.log" 2>&1) &
apps=$!
focus '^Corvel$' || fail "no wizard window"
xdotool key Down
sleep 0.5
xdotool key Return
if exists "$HOME/Hello.class"; then
  press_until F5 '^Hello$' || fail "F5 in the wizard opened no program window"
else
  fail "no Hello.class after Down, Return in the wizard"
fi

printf 'PRINT 1\n' >"$HOME/Typed.txt"
(cd / && exec "$editor" "$HOME/Typed.txt" >"$work/editor.log" 2>&1) &
apps="$apps $!"
focus '^Typed.txt' || fail "no editor window"
xdotool key ctrl+End
xdotool type --delay 20 'PRINT "typed"'
xdotool key ctrl+s
sleep 1
grep -q 'PRINT "typed"' "$HOME/Typed.txt" || fail "Ctrl+S did not save the typed line: $(cat "$HOME/Typed.txt")"
press_until F5 '^Typed$' || fail "F5 in the editor opened no program window"

# The watch's window: its width tells which program shows in it.
width_of() { xdotool getwindowgeometry "$1" 2>/dev/null | awk '/Geometry/ { split($2, g, "x"); print g[1] }'; }
printf 'OPTION APPLETWIDTH = 200\r\nPRINT "one"\r\n' >"$HOME/Watched.txt"
(cd "$HOME" && exec "$corvel" -q --watch Watched.txt >"$work/watch.log" 2>&1) &
apps="$apps $!"
first=""
for _ in $(seq 100); do
  first=$(xdotool search --onlyvisible --name '^Watched$' 2>/dev/null | head -1)
  [ -n "$first" ] && break
  sleep 0.2
done
if [ -z "$first" ]; then
  fail "corvel --watch opened no window"
else
  before=$(width_of "$first")
  for round in 1 2; do
    printf 'OPTION APPLETWIDTH = %d\r\nPRINT "again"\r\nDO\r\nLOOP UNTIL 0\r\n' $((200 + 40 * round)) >"$HOME/Watched.tmp"
    mv "$HOME/Watched.tmp" "$HOME/Watched.txt"
    for _ in $(seq 100); do
      now=$(width_of "$first")
      [ -n "$now" ] && [ "$now" != "$before" ] && break
      sleep 0.2
    done
    [ -n "$now" ] && [ "$now" != "$before" ] || fail "save $round: the watch's window did not take the new program"
    windows=$(xdotool search --onlyvisible --name '^Watched$' 2>/dev/null | wc -l)
    [ "$windows" -eq 1 ] || fail "save $round: $windows windows, not the one reused"
    before=$now
  done
fi
[ "$status" -eq 0 ] && echo "wizard: Down, Return made the program, F5 ran it; editor: typed, saved, F5 ran it; the watch kept its window"
[ "$status" -eq 0 ] || cat "$work/wizard.log" "$work/editor.log" "$work/watch.log"
exit "$status"
