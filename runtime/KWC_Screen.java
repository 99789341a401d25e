import java.awt.Font;
import java.awt.GraphicsEnvironment;
import java.awt.image.BufferedImage;
import java.awt.image.DataBufferInt;

/**
 * The applet's screen: the graphic pages (one active for drawing, one displayed), the colour
 * mode, and the composition of what is shown: the displayed page, the sprites over it, the text
 * layer on top. Every method that changes the page set or the colour mode holds LOCK, and so does
 * compose(), which the viewer calls from its own thread.
 */
public class KWC_Screen {
    static final Object LOCK = new Object();

    static int width = 640, height = 400;
    static int pageWidth = 640, pageHeight = 400;
    static BufferedImage[] pages = new BufferedImage[0];
    static int[][] pagePixels = new int[0][];
    static int activePage, displayPage;

    static KWC_Color colorMode = new KWC_Color_Natural();

    /** Memory kept free beyond the pages for the program itself and for reporting its errors. */
    static final long HEADROOM_BYTES = 32L << 20;

    /**
     * Sets the applet and page sizes and makes pageCount blank pages (at least one). A set of
     * pages larger than the memory left stops the program before anything is made: an allocation
     * that fails half-way would leave the memory full and nothing to report the error with.
     */
    public static void init(int appletWidth, int appletHeight, int pw, int ph, int pageCount) {
        synchronized (LOCK) {
            pages = new BufferedImage[0];
            pagePixels = new int[0][];
            width = Math.max(1, appletWidth);
            height = Math.max(1, appletHeight);
            pageWidth = Math.max(width, pw);
            pageHeight = Math.max(height, ph);
            int n = Math.max(1, pageCount);
            // The pages, then the composed picture, the text layer and a window's copy of the
            // picture, then the text cells (three ints and a byte each).
            long bytes = 4L * pageWidth * pageHeight * n + 3 * 4L * width * height
                    + 13L * (width / KWC_TextScreen.CELL_WIDTH) * (height / KWC_TextScreen.CELL_HEIGHT);
            Runtime rt = Runtime.getRuntime();
            if (bytes > rt.maxMemory() - (rt.totalMemory() - rt.freeMemory()) - HEADROOM_BYTES)
                throw KWC_Applet.runtimeError(KWC_Applet.E_OUT_OF_MEMORY);
            BufferedImage[] made = new BufferedImage[n];
            int[][] pixels = new int[n][];
            for (int i = 0; i < n; i++) {
                made[i] = new BufferedImage(pageWidth, pageHeight, BufferedImage.TYPE_INT_RGB);
                pixels[i] = ((DataBufferInt) made[i].getRaster().getDataBuffer()).getData();
            }
            pages = made;
            pagePixels = pixels;
            activePage = 0;
            displayPage = 0;
            colorMode = new KWC_Color_Natural();
            KWC_GraphicScreen.reset();
            KWC_TextScreen.init(width / KWC_TextScreen.CELL_WIDTH, height / KWC_TextScreen.CELL_HEIGHT);
        }
    }

    public static int width() {
        return width;
    }

    public static int height() {
        return height;
    }

    public static KWC_Color colorMode() {
        return colorMode;
    }

    /** Selects a colour mode; the graphic and text colours go back to the mode's defaults. */
    public static void setColorMode(KWC_Color mode) {
        synchronized (LOCK) {
            colorMode = mode;
            KWC_GraphicScreen.resetColors();
            KWC_TextScreen.resetColors();
        }
    }

    /** The 0xRRGGBB value of a colour number in the current mode. */
    // ---- fonts ----

    // The family that draws Japanese text, looked for once; "" when the machine has none.
    private static String japaneseFamily;

    /**
     * A font family with Japanese glyphs: IPAGothic when installed (the project installs it),
     * else the first family that can show kana and kanji. The logical fonts are left out: what
     * they fall back to for Japanese differs from machine to machine and run to run.
     */
    static synchronized String japaneseFamily() {
        if (japaneseFamily == null) {
            japaneseFamily = "";
            String[] names = GraphicsEnvironment.getLocalGraphicsEnvironment().getAvailableFontFamilyNames(java.util.Locale.ROOT);
            for (String preferred : new String[] {"IPAGothic", "IPAexGothic", "Noto Sans CJK JP", "Noto Sans Mono CJK JP"})
                for (String name : names)
                    if (japaneseFamily.isEmpty() && name.equals(preferred)) japaneseFamily = name;
            for (String name : names) {
                if (!japaneseFamily.isEmpty()) break;
                boolean logical = name.equals(Font.MONOSPACED) || name.equals(Font.SERIF) || name.equals(Font.SANS_SERIF)
                        || name.equals(Font.DIALOG) || name.equals(Font.DIALOG_INPUT);
                Font f = new Font(name, Font.PLAIN, 12);
                if (!logical && f.canDisplay('あ') && f.canDisplay('漢')) japaneseFamily = name;
            }
        }
        return japaneseFamily;
    }

    /** Whether a character is drawn in the Japanese font: kana, kanji, CJK punctuation, full-width forms. */
    static boolean isJapanese(int cp) {
        return (cp >= 0x2E80 && cp <= 0x9FFF) || (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFE30 && cp <= 0xFE4F)
                || (cp >= 0xFF00 && cp <= 0xFFEF) || (cp >= 0x20000 && cp <= 0x3FFFF);
    }

    /** The font for character cp: base, or the Japanese family at base's style and size. */
    static Font fontFor(Font base, int cp) {
        if (!isJapanese(cp) || japaneseFamily().isEmpty()) return base;
        return new Font(japaneseFamily(), base.getStyle(), base.getSize());
    }

    public static int rgb(int code) {
        return colorMode.toRGB(code) & 0xFFFFFF;
    }

    // Cls: 0 or none clears graphics and text, 1 only the active page, 2 only the text.
    public static void KW_cls() {
        KW_cls(0);
    }

    public static void KW_cls(int what) {
        if (what != 2) KWC_GraphicScreen.clearActivePage();
        if (what != 1) KWC_TextScreen.clear();
    }

    /** ColorMode n: 0 natural 0xRRGGBB, 1 browser-safe (each channel snapped to a multiple of 0x33). */
    public static void KW_colorMode(int mode) {
        if (mode == 1) setColorMode(new KWC_Color_Browser());
        else if (mode == 0) setColorMode(new KWC_Color_Natural());
        else throw KWC_Applet.runtimeError(KWC_Applet.E_COLOR_MODE, mode);
    }

    /** The name of the current colour mode. */
    public static String KW_colorMode() {
        return colorMode.name();
    }

    /**
     * SCREEN [mode] [, reserved] [, active page] [, display page]: the first two are accepted and
     * ignored (there is one screen mode); the pages are set as by APage and DPage.
     */
    public static void KW_screen(boolean hasMode, int mode, boolean hasSecond, int second,
            boolean hasActive, int active, boolean hasDisplay, int display) {
        if (hasActive) KWC_GraphicScreen.KW_activePage(active);
        if (hasDisplay) KWC_GraphicScreen.KW_displayPage(display);
    }

    /** Draws what is displayed into target (made anew when null or of another size). */
    public static BufferedImage compose(BufferedImage target) {
        synchronized (LOCK) {
            if (target == null || target.getWidth() != width || target.getHeight() != height)
                target = new BufferedImage(width, height, BufferedImage.TYPE_INT_RGB);
            int[] dst = ((DataBufferInt) target.getRaster().getDataBuffer()).getData();
            if (pages.length > 0) {
                int[] src = pagePixels[displayPage];
                for (int y = 0; y < height; y++)
                    System.arraycopy(src, y * pageWidth, dst, y * width, width);
            }
            KWC_SpriteScreen.drawSprites(dst, width, height);
            KWC_TextScreen.drawLayer(dst, width, height);
            return target;
        }
    }

    /**
     * Copies src (ARGB) onto dst (width dw, height dh) at (x, y), skipping pixels of alpha 0 and,
     * when key is not -1, pixels whose 0xRRGGBB equals key.
     */
    static void blit(int[] src, int sw, int sh, int key, int[] dst, int dw, int dh, int x, int y) {
        int x0 = Math.max(0, -x), y0 = Math.max(0, -y);
        int x1 = Math.min(sw, dw - x), y1 = Math.min(sh, dh - y);
        for (int sy = y0; sy < y1; sy++) {
            int s = sy * sw, d = (sy + y) * dw + x;
            for (int sx = x0; sx < x1; sx++) {
                int p = src[s + sx];
                if ((p >>> 24) == 0 || (key != -1 && (p & 0xFFFFFF) == key)) continue;
                dst[d + sx] = p | 0xFF000000;
            }
        }
    }
}
