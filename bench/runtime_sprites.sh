#!/usr/bin/env bash
# Sprite benchmark of the Java runtime: 100 moving 32x32 sprites on a 640x400 page with page
# flipping, for 5 seconds. Each frame clears the back page, moves every sprite, flips the pages
# and composes the displayed picture (what a window repaint does). Prints frames per second, and
# the rate of the same loop run by the viewer (--headless), where composition runs on its own.
# usage: bench/runtime_sprites.sh [BUILD_DIR]   (default: build-rt; SysLib must be built)
set -euo pipefail
cd "$(dirname "$0")/.."
syslib=${1:-build-rt}/SysLib
[ -f "$syslib/KWC_Applet.class" ] || { echo "no $syslib: build first" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/SpriteBench.java" <<'JAVA'
// Shaped like a translated program: CREATETRANSIMG, SPRITE, then a loop of APAGE/CLS/SPRITEMOVE/DPAGE.
public class SpriteBench extends KWC_Applet {
    static boolean composeEachFrame;
    static double seconds = 5;
    KWC_Image PUB0 = new KWC_Image();
    public void run() {
        KWC_Image.KW_createTransImg(PUB0, 32, 32, 0);
        KWC_GraphicScreen.KW_circle(PUB0, 15, 15, 14, true, 0xFFCC00, false, 0, false, 0, false, 0, 1);
        int[] x = new int[100], y = new int[100], dx = new int[100], dy = new int[100];
        for (int i = 0; i < 100; i++) {
            x[i] = (i * 37) % 600; y[i] = (i * 53) % 360; dx[i] = 1 + i % 3; dy[i] = 1 + i % 2;
            KWC_SpriteScreen.KW_sprite(i, PUB0, x[i], y[i]);
        }
        java.awt.image.BufferedImage frame = null;
        long frames = 0, start = KWL_Time.KW_time(), end = start + (long) (seconds * 1000);
        int page = 0;
        while (KWL_Time.KW_time() < end) {
            page = 1 - page;
            KWC_GraphicScreen.KW_activePage(page);
            KWC_Screen.KW_cls(1);
            KWC_GraphicScreen.KW_line(0, 0, (int) (frames % 400), 0, 639, (int) (frames % 400), true, 0x3366FF, 0);
            for (int i = 0; i < 100; i++) {
                x[i] += dx[i]; y[i] += dy[i];
                if (x[i] < 0 || x[i] > 608) dx[i] = -dx[i];
                if (y[i] < 0 || y[i] > 368) dy[i] = -dy[i];
                KWC_SpriteScreen.KW_spriteMove(i, x[i], y[i]);
            }
            KWC_GraphicScreen.KW_displayPage(page);
            if (composeEachFrame) frame = KWC_Screen.compose(frame);
            frames++;
        }
        double fps = frames * 1000.0 / (KWL_Time.KW_time() - start);
        KWC_TextScreen.KW_print(String.format("%.0f", fps), 0);
    }

    public static void main(String[] args) {
        composeEachFrame = true;
        KWC_Applet.setup(640, 400, new java.util.HashMap<>(), null, true);
        seconds = 1; new SpriteBench().run(); // warm-up
        KWC_Applet.setup(640, 400, new java.util.HashMap<>(), null, true);
        seconds = 5; new SpriteBench().run();
        System.out.print(KWC_TextScreen.dumpText());
    }
}
JAVA
printf '<applet code="SpriteBench.class" width=640 height=400>\n</applet>\n' >"$work/SpriteBench.html"
javac -encoding UTF-8 -cp "$syslib" -d "$work" "$work/SpriteBench.java"
fps=$(java -Djava.awt.headless=true -cp "$work:$syslib" SpriteBench)
echo "sprites: 100 sprites, 640x400, page flip + compose every frame: $fps frames/s (target 60)"
fps=$(java -cp "$work:$syslib" KWC_Viewer --headless --dump-text - "$work/SpriteBench.html")
echo "sprites: same loop under KWC_Viewer --headless (composition at 60 Hz beside it): $fps frames/s"
