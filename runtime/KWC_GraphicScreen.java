import java.awt.Color;
import java.awt.Font;
import java.awt.FontMetrics;
import java.awt.Graphics2D;
import java.awt.image.BufferedImage;

/**
 * Graphics on the active page or in an image: LINE, PSET, CIRCLE, PAINT, GET, PUT, DRAWSTR, and
 * the page, colour, clip and font settings. Drawing works on the pixel arrays directly, so the
 * results are exact to the pixel. The first argument of a drawing call is either the start mode
 * (0 absolute, 1 relative to the last point, 2 from the last point) or the image drawn into.
 */
public class KWC_GraphicScreen {
    static int foreColor = 0xFFFFFF, backColor = 0;
    static int lastX, lastY;
    // Clip rectangle of the pages, corners included.
    static int clipX1, clipY1, clipX2, clipY2;
    static Font font = new Font(Font.MONOSPACED, Font.PLAIN, 16);

    // The drawing target chosen by page() or image(): pixels, size, clip, opaque bits to add.
    static int[] tPix;
    static int tW, tH, tX1, tY1, tX2, tY2, tAlpha;

    static void reset() {
        lastX = 0;
        lastY = 0;
        clipX1 = 0;
        clipY1 = 0;
        clipX2 = KWC_Screen.pageWidth - 1;
        clipY2 = KWC_Screen.pageHeight - 1;
        font = new Font(Font.MONOSPACED, Font.PLAIN, 16);
        resetColors();
    }

    static void resetColors() {
        foreColor = KWC_Screen.colorMode.white();
        backColor = 0;
    }

    static int backgroundRGB() {
        return KWC_Screen.rgb(backColor);
    }

    private static void page() {
        tPix = KWC_Screen.pagePixels[KWC_Screen.activePage];
        tW = KWC_Screen.pageWidth;
        tH = KWC_Screen.pageHeight;
        tX1 = clipX1;
        tY1 = clipY1;
        tX2 = clipX2;
        tY2 = clipY2;
        tAlpha = 0;
    }

    private static void image(KWC_Image img) {
        tPix = img.pixels;
        tW = img.width;
        tH = img.height;
        tX1 = 0;
        tY1 = 0;
        tX2 = img.width - 1;
        tY2 = img.height - 1;
        tAlpha = 0xFF000000;
    }

    private static void plot(int x, int y, int rgb) {
        if (x >= tX1 && x <= tX2 && y >= tY1 && y <= tY2) tPix[y * tW + x] = rgb | tAlpha;
    }

    // A point reached by adding offsets to a position: computed in long, so that it cannot wrap
    // around into the page.
    private static void plot(long x, long y, int rgb) {
        if (x >= tX1 && x <= tX2 && y >= tY1 && y <= tY2) tPix[(int) y * tW + (int) x] = rgb | tAlpha;
    }

    private static int colorOf(boolean given, int code) {
        return KWC_Screen.rgb(given ? code : foreColor);
    }

    // ---- pages ----

    public static void KW_activePage(int n) {
        checkPage("APage", n);
        KWC_Screen.activePage = n;
    }

    public static int KW_activePage() {
        return KWC_Screen.activePage;
    }

    public static void KW_displayPage(int n) {
        checkPage("DPage", n);
        synchronized (KWC_Screen.LOCK) {
            KWC_Screen.displayPage = n;
        }
    }

    public static int KW_displayPage() {
        return KWC_Screen.displayPage;
    }

    /** The number of pages (the page's AppletPage parameter, 2 by default). */
    public static int KW_page() {
        return KWC_Screen.pages.length;
    }

    private static void checkPage(String what, int n) {
        if (n < 0 || n >= KWC_Screen.pages.length)
            throw KWC_Applet.runtimeError(KWC_Applet.E_NO_PAGE, what, n,
                    KWC_Screen.pages.length - 1);
    }

    /** PCopy from, to: copies a whole page. */
    public static void KW_pageCopy(int from, int to) {
        checkPage("PCopy", from);
        checkPage("PCopy", to);
        System.arraycopy(KWC_Screen.pagePixels[from], 0, KWC_Screen.pagePixels[to], 0,
                KWC_Screen.pagePixels[to].length);
    }

    /** Cls 1: the clip rectangle of the active page in the background colour (none: nothing). */
    static void clearActivePage() {
        page();
        int rgb = backgroundRGB();
        if (tX1 > tX2) return;
        for (int y = tY1; y <= tY2; y++)
            java.util.Arrays.fill(tPix, y * tW + tX1, y * tW + tX2 + 1, rgb);
    }

    // ---- settings ----

    /** Color fore, back: the colours of drawing without a colour argument and of Cls. */
    public static void KW_color(int fore, int back) {
        foreColor = fore;
        backColor = back;
    }

    /**
     * Clip x1, y1, x2, y2: drawing on the pages stays inside this rectangle (its part on the
     * page; a rectangle wholly off the page leaves nothing to draw on).
     */
    public static void KW_clip(int x1, int y1, int x2, int y2) {
        clipX1 = Math.max(0, Math.min(x1, x2));
        clipY1 = Math.max(0, Math.min(y1, y2));
        clipX2 = Math.min(KWC_Screen.pageWidth - 1, Math.max(x1, x2));
        clipY2 = Math.min(KWC_Screen.pageHeight - 1, Math.max(y1, y2));
    }

    /**
     * SetFont family, style, size: the font of DrawStr. family 0 monospaced, 1 serif,
     * 2 sans-serif; style 0 plain, 1 bold, 2 italic, 3 bold italic; size in pixels.
     */
    public static void KW_setFont(int family, int style, int size) {
        String name = family == 1 ? Font.SERIF : family == 2 ? Font.SANS_SERIF : Font.MONOSPACED;
        font = new Font(name, style & 3, Math.max(1, size));
    }

    /** Scroll dx, dy: moves the active page's picture; the uncovered part gets the background. */
    public static void KW_scroll(int dx, int dy) {
        page();
        int[] copy = tPix.clone();
        int bg = backgroundRGB();
        for (int y = 0; y < tH; y++)
            for (int x = 0; x < tW; x++) {
                int sx = x - dx, sy = y - dy;
                tPix[y * tW + x] = sx >= 0 && sy >= 0 && sx < tW && sy < tH ? copy[sy * tW + sx] : bg;
            }
    }

    private static FontMetrics metrics() {
        BufferedImage one = new BufferedImage(1, 1, BufferedImage.TYPE_INT_RGB);
        Graphics2D g = one.createGraphics();
        FontMetrics m = g.getFontMetrics(font);
        g.dispose();
        return m;
    }

    /** The width in pixels of a text in the DrawStr font (Japanese characters in theirs). */
    public static int KW_tWidth(String s) {
        BufferedImage one = new BufferedImage(1, 1, BufferedImage.TYPE_INT_RGB);
        Graphics2D g = one.createGraphics();
        int width = 0;
        for (int i = 0; i < s.length(); i += Character.charCount(s.codePointAt(i))) {
            int cp = s.codePointAt(i);
            width += g.getFontMetrics(KWC_Screen.fontFor(font, cp)).stringWidth(new String(Character.toChars(cp)));
        }
        g.dispose();
        return width;
    }

    /** The height in pixels of a line in the DrawStr font. */
    public static int KW_tHeight() {
        return metrics().getHeight();
    }

    // ---- points ----

    /** The colour number at (x, y) of the active page, or -1 outside it. */
    public static int KW_Point(int x, int y) {
        if (x < 0 || y < 0 || x >= KWC_Screen.pageWidth || y >= KWC_Screen.pageHeight) return -1;
        int p = KWC_Screen.pagePixels[KWC_Screen.activePage][y * KWC_Screen.pageWidth + x];
        return KWC_Screen.colorMode.toCode(p & 0xFFFFFF);
    }

    /** The colour number at (x, y) of an image, or -1 outside it or where it is transparent. */
    public static int KW_Point(KWC_Image img, int x, int y) {
        int p = img.getPixel(x, y);
        if ((p >>> 24) == 0) return -1;
        return KWC_Screen.colorMode.toCode(p & 0xFFFFFF);
    }

    // ---- LINE and PSET ----

    public static void KW_line(int mode, int x1, int y1, int endMode, int x2, int y2,
            boolean hasColor, int color, int box) {
        page();
        int sx = mode == 0 ? x1 : mode == 1 ? lastX + x1 : lastX;
        int sy = mode == 0 ? y1 : mode == 1 ? lastY + y1 : lastY;
        line(sx, sy, endMode, x2, y2, colorOf(hasColor, color), box);
    }

    public static void KW_line(KWC_Image img, int x1, int y1, int endMode, int x2, int y2,
            boolean hasColor, int color, int box) {
        image(img);
        line(x1, y1, endMode, x2, y2, colorOf(hasColor, color), box);
    }

    private static void line(int sx, int sy, int endMode, int x2, int y2, int rgb, int box) {
        // In long: a STEP end far off the page must not wrap around into it.
        long ex = endMode == 1 ? (long) sx + x2 : x2, ey = endMode == 1 ? (long) sy + y2 : y2;
        if (box == 0) {
            segment(sx, sy, ex, ey, rgb);
        } else {
            long lx = Math.min(sx, ex), hx = Math.max(sx, ex);
            long ly = Math.min(sy, ey), hy = Math.max(sy, ey);
            if (box == 2) {
                for (long y = Math.max(ly, tY1); y <= Math.min(hy, tY2); y++)
                    for (long x = Math.max(lx, tX1); x <= Math.min(hx, tX2); x++) plot(x, y, rgb);
            } else {
                segment(lx, ly, hx, ly, rgb);
                segment(lx, hy, hx, hy, rgb);
                segment(lx, ly, lx, hy, rgb);
                segment(hx, ly, hx, hy, rgb);
            }
        }
        lastX = (int) Math.max(Integer.MIN_VALUE, Math.min(Integer.MAX_VALUE, ex));
        lastY = (int) Math.max(Integer.MIN_VALUE, Math.min(Integer.MAX_VALUE, ey));
    }

    /**
     * A line, both ends included: along its longer axis one pixel per step, the other
     * coordinate rounded (halves away from the start). It is drawn in one direction whichever
     * end is given first, so a line drawn back over itself covers the same pixels, and only the
     * steps inside the clip are visited, so that a line of any length costs what it shows.
     */
    private static void segment(long x0, long y0, long x1, long y1, int rgb) {
        long dx = Math.abs(x1 - x0), dy = Math.abs(y1 - y0);
        boolean alongX = dx >= dy;
        if (alongX ? x0 > x1 : y0 > y1) {
            long t = x0; x0 = x1; x1 = t;
            t = y0; y0 = y1; y1 = t;
        }
        if (alongX) steps(x0, y0, x1, y1, dx, true, rgb);
        else steps(y0, x0, y1, x1, dy, false, rgb);
    }

    // The visible steps along the major axis u (from u0 to u1, n steps in all), the minor
    // coordinate v rounded from the exact share, then kept by its remainder step by step.
    private static void steps(long u0, long v0, long u1, long v1, long n, boolean alongX, int rgb) {
        long from = Math.max(u0, alongX ? tX1 : tY1), to = Math.min(u1, alongX ? tX2 : tY2);
        if (from > to) return;
        long dv = v1 - v0, twice = 2 * Math.max(n, 1);
        long v = v0 + roundedShare(from - u0, dv, n);
        // The remainder of 2 (u - u0) dv + n over 2n at u = from, in [0, 2n).
        long rest = n == 0 ? 0 : Math.floorMod(remainder(from - u0, dv, n), twice);
        for (long u = from; u <= to; u++) {
            if (alongX) plot(u, v, rgb);
            else plot(v, u, rgb);
            rest += 2 * dv;
            while (rest >= twice) {
                rest -= twice;
                v++;
            }
            while (rest < 0) {
                rest += twice;
                v--;
            }
        }
    }

    /** (2 a b + d) mod 2d, exact for any long a, b; d > 0. */
    private static long remainder(long a, long b, long d) {
        java.math.BigInteger n = java.math.BigInteger.valueOf(a).multiply(java.math.BigInteger.valueOf(b))
                .shiftLeft(1).add(java.math.BigInteger.valueOf(d));
        return n.mod(java.math.BigInteger.valueOf(2 * d)).longValue();
    }

    /** a * b / d rounded half up, d > 0 or the share 0; exact for any long a, b. */
    private static long roundedShare(long a, long b, long d) {
        if (d == 0) return 0;
        if (Math.abs(a) < (1L << 30) && Math.abs(b) < (1L << 30) && d < (1L << 30))
            return Math.floorDiv(2 * a * b + d, 2 * d);
        java.math.BigInteger n = java.math.BigInteger.valueOf(a).multiply(java.math.BigInteger.valueOf(b))
                .shiftLeft(1).add(java.math.BigInteger.valueOf(d));
        java.math.BigInteger[] qr = n.divideAndRemainder(java.math.BigInteger.valueOf(2 * d));
        long q = qr[0].longValue();
        return qr[1].signum() < 0 ? q - 1 : q;
    }

    // ---- CIRCLE ----

    public static void KW_circle(int mode, int x, int y, int r, boolean hasColor, int color,
            boolean hasStart, double start, boolean hasEnd, double end, boolean hasAspect,
            double aspect, int fill) {
        page();
        int cx = mode == 1 ? lastX + x : x, cy = mode == 1 ? lastY + y : y;
        circle(cx, cy, r, colorOf(hasColor, color), hasStart, start, hasEnd, end,
                hasAspect ? aspect : 1.0, fill);
    }

    public static void KW_circle(KWC_Image img, int x, int y, int r, boolean hasColor, int color,
            boolean hasStart, double start, boolean hasEnd, double end, boolean hasAspect,
            double aspect, int fill) {
        image(img);
        circle(x, y, r, colorOf(hasColor, color), hasStart, start, hasEnd, end,
                hasAspect ? aspect : 1.0, fill);
    }

    private static final double TWO_PI = 2 * Math.PI;
    // People write pi rounded (3.1416, 3.14159): an angle this close to a multiple of 2 pi is
    // that multiple, so that 2 * 3.1416 is the whole turn and not a turn and a dot.
    private static final double TURN_SLACK = 1e-4;

    /** Where on the turn (0 to 2 pi) an angle of CIRCLE lies; its sign only asks for a radius. */
    static double turnPoint(double angle) {
        double a = Math.abs(angle) % TWO_PI;
        return a < TURN_SLACK || TWO_PI - a < TURN_SLACK ? 0 : a;
    }

    private static void circle(int cx, int cy, int r, int rgb, boolean hasStart, double start,
            boolean hasEnd, double end, double aspect, int fill) {
        lastX = cx;
        lastY = cy;
        if (r < 0) return;
        int rx = r, ry = r;
        // Aspect 0 is the flattest ellipse of all: a vertical radius of 0, a horizontal line.
        if (aspect >= 0 && aspect < 1) ry = (int) Math.round(r * aspect);
        else if (aspect > 1) rx = (int) Math.round(r / aspect);
        boolean arc = hasStart || hasEnd;
        double a0 = hasStart ? turnPoint(start) : 0;
        double a1 = hasEnd ? turnPoint(end) : TWO_PI;
        if (hasEnd && a1 == 0 && end != 0) a1 = TWO_PI;
        // Only the rows inside the clip are visited, and in each row only its visible part.
        long fromY = Math.max(-ry, (long) tY1 - cy), toY = Math.min(ry, (long) tY2 - cy);
        for (long dy = fromY; dy <= toY; dy++) {
            long a = Math.abs(dy), h = half(rx, ry, a);
            if (fill != 0) {
                run(cx, cy, dy, -h, h, arc, a0, a1, rgb);
            } else {
                // The outline's run in this row: from where the next row towards the pole
                // ends out to the half width, on either side.
                long in = Math.min(h, half(rx, ry, a + 1) + 1);
                run(cx, cy, dy, in, h, arc, a0, a1, rgb);
                run(cx, cy, dy, -h, -in, arc, a0, a1, rgb);
            }
        }
        if (hasStart && start < 0) radius(cx, cy, rx, ry, a0, arc, a0, a1, rgb);
        if (hasEnd && end < 0) radius(cx, cy, rx, ry, a1, arc, a0, a1, rgb);
    }

    /** The pixels dx = lo..hi of row dy, those inside the clip and the arc. */
    private static void run(int cx, int cy, long dy, long lo, long hi, boolean arc, double a0,
            double a1, int rgb) {
        long fromX = Math.max(lo, (long) tX1 - cx), toX = Math.min(hi, (long) tX2 - cx);
        for (long dx = fromX; dx <= toX; dx++)
            if (!arc || inArc(dx, dy, a0, a1)) plot(cx + dx, cy + dy, rgb);
    }

    // An ellipse's rows: the outline and the fill share their half widths.

    /**
     * The half width of row a (0 at the centre, ry at the pole), -1 beyond the pole: where the
     * ellipse crosses the row's edge nearer the centre, so that a row the curve only grazes (the
     * pole of a huge circle) still shows the whole run of pixels the curve passes through.
     */
    private static long half(long rx, long ry, long a) {
        if (a > ry) return -1;
        if (ry == 0 || a == 0) return rx;
        double t = (a - 0.5) / ry;
        return (long) Math.floor(rx * Math.sqrt(Math.max(0, 1 - t * t)) + 0.5);
    }

    /** Whether (dx, dy) is a pixel of the outline. */
    private static boolean onOutline(long rx, long ry, long dx, long dy) {
        long a = Math.abs(dy), h = half(rx, ry, a);
        if (h < 0) return false;
        long in = Math.min(h, half(rx, ry, a + 1) + 1);
        return Math.abs(dx) >= in && Math.abs(dx) <= h;
    }

    /**
     * The radius to angle a (a negative angle of CIRCLE). It runs to the point of the angle
     * rounded as any coordinate is, so that two slices meeting at one angle draw their shared
     * radius on the same pixels; when that point is not an outline pixel of this arc, a short
     * piece joins it to the nearest one, so that the slice is closed and PAINT stays inside it.
     */
    private static void radius(int cx, int cy, long rx, long ry, double a, boolean arc, double a0,
            double a1, int rgb) {
        double c = Math.cos(a), s = Math.sin(a);
        // Where the ray at angle a meets the ellipse.
        double k = rx == 0 || ry == 0 ? Math.max(rx, ry)
                : 1 / Math.sqrt(c * c / ((double) rx * rx) + s * s / ((double) ry * ry));
        long px = Math.round(k * c), py = -Math.round(k * s);
        long bestX = px, bestY = py;
        double best = Double.MAX_VALUE;
        for (long y = py - 2; y <= py + 2; y++)
            for (long x = px - 2; x <= px + 2; x++) {
                if (!onOutline(rx, ry, x, y) || (arc && !inArc(x, y, a0, a1))) continue;
                double d = angleBetween(Math.atan2(-y, x), a);
                if (d < best) {
                    best = d;
                    bestX = x;
                    bestY = y;
                }
            }
        segment(cx, cy, cx + px, cy + py, rgb);
        if (bestX != px || bestY != py) segment(cx + px, cy + py, cx + bestX, cy + bestY, rgb);
    }

    private static double angleBetween(double p, double q) {
        double d = Math.abs(p - q) % TWO_PI;
        return Math.min(d, TWO_PI - d);
    }

    /** Whether the point (dx, dy) from the centre lies in the arc from a0 to a1, anticlockwise. */
    private static boolean inArc(long dx, long dy, double a0, double a1) {
        if (dx == 0 && dy == 0) return true;
        double a = Math.atan2(-dy, dx);
        if (a < 0) a += TWO_PI;
        // The turn's end 2 pi is its start 0 too.
        if (a == 0 && a1 == TWO_PI) return true;
        return a0 <= a1 ? a >= a0 && a <= a1 : a >= a0 || a <= a1;
    }

    // ---- PAINT ----

    public static void KW_paint(int mode, int x, int y, boolean hasPaint, int paint,
            boolean hasBorder, int border) {
        page();
        int sx = mode == 1 ? lastX + x : x, sy = mode == 1 ? lastY + y : y;
        fill(sx, sy, hasPaint, paint, hasBorder, border);
    }

    public static void KW_paint(KWC_Image img, int x, int y, boolean hasPaint, int paint,
            boolean hasBorder, int border) {
        image(img);
        fill(x, y, hasPaint, paint, hasBorder, border);
    }

    /** Flood fill from (x, y) up to pixels of the border colour (the paint colour when none). */
    private static void fill(int x, int y, boolean hasPaint, int paint, boolean hasBorder,
            int border) {
        lastX = x;
        lastY = y;
        int fillRGB = colorOf(hasPaint, paint);
        int borderRGB = hasBorder ? KWC_Screen.rgb(border) : fillRGB;
        if (x < tX1 || x > tX2 || y < tY1 || y > tY2) return;
        int[] stack = new int[64];
        int top = 0;
        stack[top++] = y * tW + x;
        while (top > 0) {
            int at = stack[--top];
            int py = at / tW, px = at % tW;
            if (!paintable(px, py, fillRGB, borderRGB)) continue;
            int l = px, r = px;
            while (l - 1 >= tX1 && paintable(l - 1, py, fillRGB, borderRGB)) l--;
            while (r + 1 <= tX2 && paintable(r + 1, py, fillRGB, borderRGB)) r++;
            for (int i = l; i <= r; i++) tPix[py * tW + i] = fillRGB | tAlpha;
            for (int ny = py - 1; ny <= py + 1; ny += 2) {
                if (ny < tY1 || ny > tY2) continue;
                boolean open = false;
                for (int i = l; i <= r; i++) {
                    boolean ok = paintable(i, ny, fillRGB, borderRGB);
                    if (ok && !open) {
                        if (top == stack.length) stack = java.util.Arrays.copyOf(stack, top * 2);
                        stack[top++] = ny * tW + i;
                    }
                    open = ok;
                }
            }
        }
    }

    private static boolean paintable(int x, int y, int fillRGB, int borderRGB) {
        int p = tPix[y * tW + x] & 0xFFFFFF;
        return p != borderRGB && p != fillRGB;
    }

    // ---- GET and PUT ----

    /** GET (x1, y1)-(x2, y2), img: the block of the active page between the corners. */
    public static void KW_get(int mode1, int x1, int y1, int mode2, int x2, int y2, KWC_Image img) {
        int ax = mode1 == 1 ? lastX + x1 : x1, ay = mode1 == 1 ? lastY + y1 : y1;
        int bx = mode2 == 1 ? ax + x2 : x2, by = mode2 == 1 ? ay + y2 : y2;
        long lx = Math.min(ax, bx), ly = Math.min(ay, by);
        long lw = Math.abs((long) bx - ax) + 1, lh = Math.abs((long) by - ay) + 1;
        if (lw * lh > 64L * 1024 * 1024)
            throw KWC_Applet.runtimeError(KWC_Applet.E_BLOCK_TOO_LARGE, "GET", lw, lh);
        int w = (int) lw, h = (int) lh;
        int[] src = KWC_Screen.pagePixels[KWC_Screen.activePage];
        int pw = KWC_Screen.pageWidth, ph = KWC_Screen.pageHeight;
        img.allocate(w, h, 0, -1);
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++) {
                long sx = lx + x, sy = ly + y;
                img.pixels[y * w + x] = 0xFF000000
                        | (sx >= 0 && sy >= 0 && sx < pw && sy < ph ? src[(int) (sy * pw + sx)] : 0);
            }
        lastX = bx;
        lastY = by;
    }

    /** PUT (x, y), img: draws the image with its top-left corner at the point. */
    public static void KW_put(int mode, int x, int y, KWC_Image img) {
        page();
        int px = mode == 1 ? lastX + x : x, py = mode == 1 ? lastY + y : y;
        int key = img.transparent;
        for (int iy = 0; iy < img.height; iy++)
            for (int ix = 0; ix < img.width; ix++) {
                int p = img.pixels[iy * img.width + ix];
                if ((p >>> 24) == 0 || (key != -1 && (p & 0xFFFFFF) == key)) continue;
                plot(px + ix, py + iy, p & 0xFFFFFF);
            }
        lastX = px;
        lastY = py;
    }

    // ---- DRAWSTR ----

    /** DRAWSTR (x, y), text [, colour]: the text's top-left corner at the point, in the SetFont font. */
    public static void KW_drawStr(int mode, int x, int y, String s, boolean hasColor, int color) {
        int px = mode == 1 ? lastX + x : x, py = mode == 1 ? lastY + y : y;
        BufferedImage target = KWC_Screen.pages[KWC_Screen.activePage];
        if (clipX1 > clipX2 || clipY1 > clipY2) {
            lastX = px;
            lastY = py;
            return;
        }
        Graphics2D g = target.createGraphics();
        g.setClip(clipX1, clipY1, clipX2 - clipX1 + 1, clipY2 - clipY1 + 1);
        drawText(g, px, py, s, colorOf(hasColor, color));
    }

    public static void KW_drawStr(KWC_Image img, int x, int y, String s, boolean hasColor,
            int color) {
        if (img.image == null) return;
        drawText(img.image.createGraphics(), x, y, s, colorOf(hasColor, color));
    }

    // The text in runs: Japanese characters in the Japanese font, the others in the SetFont font,
    // on the baseline of the SetFont font.
    private static void drawText(Graphics2D g, int x, int y, String s, int rgb) {
        g.setColor(new Color(rgb));
        int baseline = y + g.getFontMetrics(font).getAscent();
        int at = x;
        for (int i = 0; i < s.length(); ) {
            int cp = s.codePointAt(i);
            boolean japanese = KWC_Screen.isJapanese(cp);
            int end = i;
            while (end < s.length() && KWC_Screen.isJapanese(s.codePointAt(end)) == japanese)
                end += Character.charCount(s.codePointAt(end));
            Font f = KWC_Screen.fontFor(font, cp);
            String run = s.substring(i, end);
            g.setFont(f);
            g.drawString(run, at, baseline);
            at += g.getFontMetrics(f).stringWidth(run);
            i = end;
        }
        g.dispose();
        lastX = x;
        lastY = y;
    }
}
