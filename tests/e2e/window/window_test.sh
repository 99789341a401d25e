#!/usr/bin/env bash
# A program in a real window on a virtual X display: an animation runs for a
# few seconds, then a capture of the display (xwd, not the viewer's own
# picture) must show its drawing, and the Japanese text printed as glyphs,
# unlike the box of a character no font has.
# usage: window_test.sh CORVEL
set -uo pipefail
corvel=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
for tool in Xvfb xwd; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (tools/install-deps.sh installs it)"; exit 1; }
done
work=$(mktemp -d)
display=:$((90 + RANDOM % 400))
cleanup() { [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 50); do xwd -root -silent -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
cp "$here/Animation.txt" "$work/"
"$corvel" -q -o "$work/out" "$work/Animation.txt" || { echo "FAIL: not translated or compiled"; exit 1; }
(cd "$work/out" && DISPLAY=$display java -cp . KWC_Viewer --timeout-ms 6000 Animation.html >"$work/viewer.log" 2>&1) &
viewer=$!
sleep 4
xwd -root -silent -display "$display" >"$work/screen.xwd"
# The program runs until the viewer's time limit; a viewer left waiting for
# its window to close is not waited for.
for _ in $(seq 40); do kill -0 "$viewer" 2>/dev/null || break; sleep 0.25; done
pkill -f "KWC_Viewer --timeout-ms 6000 Animation.html" 2>/dev/null
wait "$viewer"
status=0
java "$here/XwdCheck.java" "$work/screen.xwd" count FF8000 2000 || { echo "FAIL: the moving box is not on the display"; status=1; }
java "$here/XwdCheck.java" "$work/screen.xwd" differ FF00FF 00FFFF || { echo "FAIL: あ drawn like an unknown glyph"; status=1; }
cat "$work/viewer.log"
[ "$status" -eq 0 ] && echo "the window showed the drawing and the Japanese glyphs"
exit "$status"
