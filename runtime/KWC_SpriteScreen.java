/**
 * Sprites: numbered images drawn above the displayed page, in number order (a higher number lies
 * on top). A sprite holds its image variable itself, so a later change of that image shows.
 * With the page's AppletSprite parameter the numbers are 0 to AppletSprite - 1, otherwise any
 * number from 0 to 65535.
 */
public class KWC_SpriteScreen {
    static final int MAX_SPRITES = 65536;
    static int limit = MAX_SPRITES;
    static KWC_Image[] images = new KWC_Image[0];
    static int[] xs = new int[0], ys = new int[0];
    static boolean[] on = new boolean[0];
    static boolean shown = true;

    static void init(int count) {
        synchronized (KWC_Screen.LOCK) {
            limit = count < 0 ? MAX_SPRITES : Math.min(count, MAX_SPRITES);
            images = new KWC_Image[0];
            xs = new int[0];
            ys = new int[0];
            on = new boolean[0];
            shown = true;
        }
    }

    private static void check(String what, int n) {
        if (n < 0 || n >= limit)
            throw KWC_Applet.runtimeError(KWC_Applet.E_NO_SPRITE, what, n, limit - 1);
        if (n >= images.length) {
            int size = Math.min(limit, Math.max(n + 1, images.length * 2 + 8));
            images = java.util.Arrays.copyOf(images, size);
            xs = java.util.Arrays.copyOf(xs, size);
            ys = java.util.Arrays.copyOf(ys, size);
            on = java.util.Arrays.copyOf(on, size);
        }
    }

    /** Sprite n, img, x, y: gives sprite n its image and position and turns it on. */
    public static void KW_sprite(int n, KWC_Image img, int x, int y) {
        synchronized (KWC_Screen.LOCK) {
            check("Sprite", n);
            images[n] = img;
            xs[n] = x;
            ys[n] = y;
            on[n] = true;
        }
    }

    public static void KW_spriteOn(int n) {
        synchronized (KWC_Screen.LOCK) {
            check("SpriteOn", n);
            on[n] = true;
        }
    }

    public static void KW_spriteOff(int n) {
        synchronized (KWC_Screen.LOCK) {
            check("SpriteOff", n);
            on[n] = false;
        }
    }

    /** SpriteMove n, x, y: moves sprite n to (x, y). */
    public static void KW_spriteMove(int n, int x, int y) {
        synchronized (KWC_Screen.LOCK) {
            check("SpriteMove", n);
            xs[n] = x;
            ys[n] = y;
        }
    }

    /** SpriteMove n, x, y, relative: with relative not 0, moves sprite n by (x, y). */
    public static void KW_spriteMove(int n, int x, int y, int relative) {
        synchronized (KWC_Screen.LOCK) {
            check("SpriteMove", n);
            xs[n] = relative != 0 ? xs[n] + x : x;
            ys[n] = relative != 0 ? ys[n] + y : y;
        }
    }

    /** SpriteShow and SpriteHide: show or hide all sprites at once (each keeps its own state). */
    public static void KW_spriteShow() {
        shown = true;
    }

    public static void KW_spriteHide() {
        shown = false;
    }

    static void drawSprites(int[] dst, int w, int h) {
        if (!shown) return;
        for (int i = 0; i < images.length; i++) {
            KWC_Image img = images[i];
            if (!on[i] || img == null || img.image == null) continue;
            KWC_Screen.blit(img.pixels, img.width, img.height, img.transparent, dst, w, h, xs[i],
                    ys[i]);
        }
    }
}
