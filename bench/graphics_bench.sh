#!/usr/bin/env bash
# Drawing in the runtime, headless: 10,000 lines, 1,000 filled circles and
# 100 PAINTs of the whole page, timed inside the program; then an animation
# of 100 sprites over a page redrawn and flipped every frame, in frames per
# second (target: 60 or better).
#   bench/graphics_bench.sh [path/to/corvel]
set -euo pipefail
corvel=$(realpath "${1:-build/corvel}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cat >Shapes.txt <<'PROGRAM'
DIM T AS DOUBLE
T = Time
FOR K = 1 TO 10000: LINE (K MOD 640, 0)-(639 - K MOD 640, 399), K * 97: NEXT
PRINT "10,000 lines:"; Time - T; "ms"
T = Time
FOR K = 1 TO 1000: CIRCLE (K MOD 640, (K * 7) MOD 400), 20 + K MOD 30, K * 131, , , , F: NEXT
PRINT "1,000 filled circles:"; Time - T; "ms"
T = Time
FOR K = 1 TO 100: Cls 1: PAINT (320, 200), K * 4099, K * 4099: NEXT
PRINT "100 full-page PAINTs:"; Time - T; "ms"
PROGRAM
cat >Sprites.txt <<'PROGRAM'
DIM BALL AS IMAGE, T AS DOUBLE
CreateTransImg BALL, 16, 16, 0
CIRCLE BALL, (8, 8), 7, &HFF8040&, , , , F
FOR K = 0 TO 99: Sprite K, BALL, K * 6, K * 4: NEXT
T = Time
FOR F = 1 TO 300
  APage F MOD 2
  Cls 1
  FOR K = 0 TO 19: LINE (K * 32, 0)-(K * 32 + 16, 399), &H203040&, BF: NEXT
  FOR K = 0 TO 99: SpriteMove K, (K * 6 + F * 2) MOD 624, (K * 4 + F) MOD 384: NEXT
  DPage F MOD 2
NEXT
PRINT "300 frames of 100 sprites:"; Time - T; "ms,"; Int(300000 / (Time - T)); "frames per second"
PROGRAM
for name in Shapes Sprites; do
  "$corvel" -q -o "out$name" "$name.txt"
  (cd "out$name" && java -cp . KWC_Viewer --headless --dump-text - "$name.html")
done
