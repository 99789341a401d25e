import java.awt.Color;
import java.awt.Font;
import java.awt.Graphics2D;
import java.awt.image.BufferedImage;
import java.awt.image.DataBufferInt;
import java.math.BigDecimal;
import java.math.MathContext;
import java.math.RoundingMode;
import java.util.ArrayDeque;
import java.util.ArrayList;

/**
 * The text screen: a grid of 8 x 16 pixel cells over the applet, drawn above the graphics and the
 * sprites. PRINT writes at the cursor and scrolls the text window at its bottom; full-width
 * characters take two cells. The rows that scroll off the top of the whole screen are kept only
 * when the viewer's --dump-text asks for them (keepScrolledRows), and then only the newest ones.
 */
public class KWC_TextScreen {
    public static final int CELL_WIDTH = 8, CELL_HEIGHT = 16, ZONE = 14;
    static final int CONTINUATION = -1;

    static int cols = 80, rows = 25;
    // Per cell: code point (0 blank, CONTINUATION for the right half of a wide one), colours.
    static int[] chars = new int[0], fore = new int[0], back = new int[0];
    static byte[] attrs = new byte[0];
    static int curCol, curRow;
    static int winLeft, winTop, winRight, winBottom;
    static int textFore = 0xFFFFFF, textBack = -1;
    static byte textAttr;
    // The newest rows that scrolled off the top, at most keepScrolled of them; a program that
    // prints forever must not fill the memory with rows no one will read.
    static final ArrayDeque<String> scrolledOff = new ArrayDeque<>();
    static int keepScrolled;
    static long droppedRows;

    static boolean dirty = true;
    static BufferedImage layer;
    static int[] layerPixels;
    static final Font FONT = new Font(Font.MONOSPACED, Font.PLAIN, 14);

    static void init(int c, int r) {
        synchronized (KWC_Screen.LOCK) {
            cols = Math.max(1, c);
            rows = Math.max(1, r);
            chars = new int[cols * rows];
            fore = new int[cols * rows];
            back = new int[cols * rows];
            attrs = new byte[cols * rows];
            java.util.Arrays.fill(back, -1);
            winLeft = 0;
            winTop = 0;
            winRight = cols - 1;
            winBottom = rows - 1;
            curCol = 0;
            curRow = 0;
            scrolledOff.clear();
            droppedRows = 0;
            resetColors();
            layer = null;
            dirty = true;
        }
    }

    /** How many of the rows that scroll off the top dumpText shows; 0 (the default) keeps none. */
    public static void keepScrolledRows(int rows) {
        synchronized (KWC_Screen.LOCK) {
            keepScrolled = Math.max(0, rows);
        }
    }

    static void resetColors() {
        textFore = KWC_Screen.colorMode.white();
        textBack = -1;
        textAttr = 0;
    }

    /** Cells taken by a character: 2 for East Asian wide and full-width ones, else 1. */
    public static int cellWidth(int cp) {
        if (cp < 0x1100) return 1;
        if (cp <= 0x115F || (cp >= 0x2E80 && cp <= 0xA4CF && cp != 0x303F)
                || (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF)
                || (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60)
                || (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x1F300 && cp <= 0x1F64F)
                || (cp >= 0x20000 && cp <= 0x3FFFD))
            return 2;
        return 1;
    }

    // ---- PRINT ----

    public static void KW_print(String s, int mode) {
        printText(s);
        endItem(mode);
    }

    public static void KW_print(byte v, int mode) {
        KW_print(formatInteger(v), mode);
    }

    public static void KW_print(short v, int mode) {
        KW_print(formatInteger(v), mode);
    }

    public static void KW_print(int v, int mode) {
        KW_print(formatInteger(v), mode);
    }

    public static void KW_print(long v, int mode) {
        KW_print(formatInteger(v), mode);
    }

    public static void KW_print(float v, int mode) {
        KW_print(padNumber(formatSingle(v)), mode);
    }

    public static void KW_print(double v, int mode) {
        KW_print(padNumber(formatDouble(v)), mode);
    }

    public static void KW_print(boolean v, int mode) {
        KW_print(v ? "True" : "False", mode);
    }

    private static void endItem(int mode) {
        synchronized (KWC_Screen.LOCK) {
            if (mode == 0) {
                newLine();
            } else if (mode == 1) {
                int zone = ((Math.min(curCol, winRight + 1) - winLeft) / ZONE + 1) * ZONE + winLeft;
                if (zone > winRight) newLine();
                else curCol = zone;
            }
        }
    }

    /** A whole number as PRINT shows it: a leading blank or minus sign, and a trailing blank. */
    static String formatInteger(long v) {
        return (v < 0 ? "" : " ") + v + " ";
    }

    private static String padNumber(String s) {
        return (s.startsWith("-") ? "" : " ") + s + " ";
    }

    /** A SINGLE as PRINT shows it, without blanks: 7 significant digits. */
    public static String formatSingle(float v) {
        return formatReal(KWC_Applet.checkReal(v), 7);
    }

    /** A DOUBLE as PRINT shows it, without blanks: 16 significant digits. */
    public static String formatDouble(double v) {
        return formatReal(KWC_Applet.checkReal(v), 16);
    }

    private static final MathContext SINGLE_DIGITS = new MathContext(7, RoundingMode.HALF_UP);
    private static final MathContext DOUBLE_DIGITS = new MathContext(16, RoundingMode.HALF_UP);

    /**
     * The exact binary value of v (a float widened to double is exact) rounded once to p
     * significant digits (7 or 16), halves away from zero; trailing zeros dropped, no zero before
     * the point; the exponent form (1.5E+07, 1E-08) when the plain form would need more than p
     * digits. Whole numbers of up to p digits take a shortcut, most other values the exact integer
     * arithmetic of scaledDigits; the rest BigDecimal.
     */
    static String formatReal(double v, int p) {
        if (v == 0) return "0";
        if (Math.abs(v) < (p == 7 ? 1e7 : 1e16) && v == (long) v) return Long.toString((long) v);
        int e10 = (int) Math.floor(Math.log10(Math.abs(v)));
        long q = -1;
        for (int tries = 0; tries < 3 && q < 0; tries++) {
            q = scaledDigits(Math.abs(v), p - 1 - e10);
            if (q == -1) break; // outside the fast range
            if (q >>> 1 < TEN[p - 1]) {
                e10--;
                q = -1;
            } else if (q >>> 1 >= TEN[p]) {
                e10++;
                q = -1;
            }
        }
        if (q >= 0) {
            q = (q >>> 1) + (q & 1); // the half bit: away from zero
            if (q == TEN[p]) {
                q = TEN[p - 1];
                e10++;
            }
            return layout(v < 0, Long.toString(q), e10, p);
        }
        BigDecimal bd = new BigDecimal(v).round(p == 7 ? SINGLE_DIGITS : DOUBLE_DIGITS);
        String digits = bd.unscaledValue().abs().toString();
        return layout(v < 0, digits, digits.length() - 1 - bd.scale(), p);
    }

    private static final long[] TEN = new long[19], FIVE = new long[28];
    static {
        TEN[0] = 1;
        for (int i = 1; i < TEN.length; i++) TEN[i] = TEN[i - 1] * 10;
        FIVE[0] = 1;
        for (int i = 1; i < FIVE.length; i++) FIVE[i] = FIVE[i - 1] * 5;
    }

    /**
     * floor(2 * a * 10^k) for a positive a, when exact long arithmetic can tell it (0 <= k <= 27,
     * or a whole a below 2^63 with k < 0); -1 otherwise. Its last bit is the half bit of the
     * rounding of a * 10^k. a * 10^k = m * 5^k * 2^(e2 + k), the product held in 128 bits.
     */
    private static long scaledDigits(double a, int k) {
        long bits = Double.doubleToRawLongBits(a);
        int exp = (int) (bits >>> 52);
        if (exp == 0) return -1; // subnormal
        long m = (bits & 0xFFFFFFFFFFFFFL) | 1L << 52;
        int e2 = exp - 1075;
        int tz = Long.numberOfTrailingZeros(m);
        m >>>= tz;
        e2 += tz;
        if (k < 0) {
            if (e2 < 0 || e2 > 62 - (64 - Long.numberOfLeadingZeros(m)) || -k >= TEN.length)
                return -1;
            long n = m << e2, d = TEN[-k];
            long r = n % d;
            return 2 * (n / d) + (2 * r >= d ? 1 : 0);
        }
        if (k >= FIVE.length) return -1;
        long lo = m * FIVE[k], hi = Math.multiplyHigh(m, FIVE[k]);
        int shift = e2 + k + 1; // 2 * a * 10^k = (hi:lo) * 2^shift
        if (shift >= 0) return hi == 0 && shift <= 62 && lo >>> (62 - shift) == 0 ? lo << shift : -1;
        int s = -shift;
        if (s >= 64) return s < 127 ? hi >>> (s - 64) : -1;
        return (lo >>> s) | (hi << (64 - s));
    }

    /** The text of a number whose rounded digits are given, the first of them at 10^e. */
    private static String layout(boolean negative, String rounded, int e, int p) {
        int end = rounded.length();
        while (end > 1 && rounded.charAt(end - 1) == '0') end--;
        String digits = rounded.substring(0, end);
        String sign = negative ? "-" : "";
        if (e >= p || (e < 0 && -e - 1 + digits.length() > p)) {
            String mant = digits.length() > 1 ? digits.charAt(0) + "." + digits.substring(1)
                    : digits;
            int ae = Math.abs(e);
            return sign + mant + "E" + (e < 0 ? "-" : "+") + (ae < 10 ? "0" : "") + ae;
        }
        if (e < 0) return sign + "." + "0".repeat(-e - 1) + digits;
        if (digits.length() <= e + 1) return sign + digits + "0".repeat(e + 1 - digits.length());
        return sign + digits.substring(0, e + 1) + "." + digits.substring(e + 1);
    }

    /** Writes text at the cursor, wrapping at the window's right edge. */
    public static void printText(String s) {
        synchronized (KWC_Screen.LOCK) {
            for (int i = 0; i < s.length(); ) {
                int cp = s.codePointAt(i);
                i += Character.charCount(cp);
                if (cp == '\r' || cp == '\n') {
                    newLine();
                    continue;
                }
                int w = cellWidth(cp);
                if (curCol + w - 1 > winRight) newLine();
                put(curCol, curRow, cp);
                if (w == 2 && curCol + 1 <= winRight) put(curCol + 1, curRow, CONTINUATION);
                curCol += w;
            }
            dirty = true;
        }
    }

    private static void put(int col, int row, int cp) {
        int at = row * cols + col;
        // Overwriting half of a wide character blanks its other half.
        if (chars[at] == CONTINUATION && col > 0) chars[at - 1] = 0;
        if (col + 1 < cols && chars[at + 1] == CONTINUATION && cp != CONTINUATION)
            chars[at + 1] = 0;
        chars[at] = cp;
        fore[at] = KWC_Screen.rgb(textFore);
        back[at] = textBack < 0 ? -1 : KWC_Screen.rgb(textBack);
        attrs[at] = textAttr;
    }

    /** Moves the cursor to the start of the next row, scrolling the window at its bottom. */
    public static void newLine() {
        synchronized (KWC_Screen.LOCK) {
            curCol = winLeft;
            if (curRow < winBottom) {
                curRow++;
            } else {
                scrollWindow();
            }
            dirty = true;
        }
    }

    static void newLineIfNeeded() {
        if (curCol != winLeft) newLine();
    }

    private static void scrollWindow() {
        if (winTop == 0 && winLeft == 0 && winRight == cols - 1) {
            if (keepScrolled > 0) scrolledOff.addLast(rowText(0));
            else droppedRows++;
            if (scrolledOff.size() > keepScrolled) {
                scrolledOff.pollFirst();
                droppedRows++;
            }
        }
        for (int r = winTop; r < winBottom; r++) {
            int to = r * cols + winLeft, from = to + cols, n = winRight - winLeft + 1;
            System.arraycopy(chars, from, chars, to, n);
            System.arraycopy(fore, from, fore, to, n);
            System.arraycopy(back, from, back, to, n);
            System.arraycopy(attrs, from, attrs, to, n);
        }
        clearRow(winBottom);
    }

    private static void clearRow(int r) {
        int from = r * cols + winLeft, to = r * cols + winRight + 1;
        java.util.Arrays.fill(chars, from, to, 0);
        java.util.Arrays.fill(back, from, to, -1);
        java.util.Arrays.fill(attrs, from, to, (byte) 0);
    }

    /** Removes the n cells before the cursor on its row (line editing). */
    static void backspace(int n) {
        synchronized (KWC_Screen.LOCK) {
            for (int i = 0; i < n && curCol > winLeft; i++) {
                curCol--;
                chars[curRow * cols + curCol] = 0;
            }
            dirty = true;
        }
    }

    /** Clears the text window and puts the cursor at its top-left. */
    static void clear() {
        synchronized (KWC_Screen.LOCK) {
            for (int r = winTop; r <= winBottom; r++) clearRow(r);
            curCol = winLeft;
            curRow = winTop;
            dirty = true;
        }
    }

    /** Shows a runtime error's message on its own row. */
    public static void showError(String message) {
        newLineIfNeeded();
        printText(message);
        newLine();
    }

    // ---- cursor and colours ----

    /**
     * Locate x, y: column and row counted from 1 on the whole screen. A place outside the text
     * window moves to the nearest row and column of the window, so that printing and scrolling
     * stay inside it.
     */
    public static void KW_locate(int x, int y) {
        synchronized (KWC_Screen.LOCK) {
            curCol = (int) Math.max(winLeft, Math.min(winRight, x - 1L));
            curRow = (int) Math.max(winTop, Math.min(winBottom, y - 1L));
        }
    }

    /** Locate2 x, y: the cell that holds the pixel (x, y). */
    public static void KW_locate2(int x, int y) {
        KW_locate(Math.floorDiv(x, CELL_WIDTH) + 1, Math.floorDiv(y, CELL_HEIGHT) + 1);
    }

    public static int KW_posX() {
        return Math.min(curCol, cols - 1) + 1;
    }

    public static int KW_posY() {
        return curRow + 1;
    }

    public static int KW_posX2() {
        return Math.min(curCol, cols - 1) * CELL_WIDTH;
    }

    public static int KW_posY2() {
        return curRow * CELL_HEIGHT;
    }

    /** TColor fore, back: colours of the text printed from now on; a negative back is see-through. */
    public static void KW_textColor(int f, int b) {
        textFore = f;
        textBack = b;
        textAttr = 0;
    }

    /** TColor fore, back, reverse, underline: the flags are on when not 0. */
    public static void KW_textColor(int f, int b, int reverse, int underline) {
        KW_textColor(f, b);
        textAttr = (byte) ((reverse != 0 ? 1 : 0) | (underline != 0 ? 2 : 0));
    }

    /** TClip x1, y1, x2, y2: the text window, columns x1 to x2 and rows y1 to y2 from 1. */
    public static void KW_textClip(int x1, int y1, int x2, int y2) {
        synchronized (KWC_Screen.LOCK) {
            int l = Math.max(1, Math.min(x1, x2)), r = Math.min(cols, Math.max(x1, x2));
            int t = Math.max(1, Math.min(y1, y2)), b = Math.min(rows, Math.max(y1, y2));
            if (l > r || t > b)
                throw KWC_Applet.runtimeError(KWC_Applet.E_TEXT_WINDOW);
            winLeft = l - 1;
            winRight = r - 1;
            winTop = t - 1;
            winBottom = b - 1;
            curCol = winLeft;
            curRow = winTop;
        }
    }

    // ---- output ----

    private static String rowText(int r) {
        StringBuilder sb = new StringBuilder();
        for (int c = 0; c < cols; c++) {
            int cp = chars[r * cols + c];
            if (cp == CONTINUATION) continue;
            sb.appendCodePoint(cp == 0 ? ' ' : cp);
        }
        return sb.toString().stripTrailing();
    }

    /**
     * The rows that scrolled off the top, then the rows on the screen, each without trailing
     * blanks, trailing empty rows dropped; each row ends with a newline. When rows that scrolled
     * off were not kept, a first line says how many are missing.
     */
    public static String dumpText() {
        synchronized (KWC_Screen.LOCK) {
            ArrayList<String> all = new ArrayList<>();
            if (droppedRows > 0 && keepScrolled > 0)
                all.add(String.format(java.util.Locale.ROOT, SCROLLED_ROWS_DROPPED, droppedRows));
            all.addAll(scrolledOff);
            for (int r = 0; r < rows; r++) all.add(rowText(r));
            int n = all.size();
            while (n > 0 && all.get(n - 1).isEmpty()) n--;
            StringBuilder sb = new StringBuilder();
            for (int i = 0; i < n; i++) sb.append(all.get(i)).append('\n');
            return sb.toString();
        }
    }

    static final String SCROLLED_ROWS_DROPPED = "（ここより前に画面から消えた %d 行は省きました）";

    /** Draws the text cells over dst (called with KWC_Screen.LOCK held). */
    static void drawLayer(int[] dst, int w, int h) {
        if (layer == null || layer.getWidth() != w || layer.getHeight() != h) {
            layer = new BufferedImage(w, h, BufferedImage.TYPE_INT_ARGB);
            layerPixels = ((DataBufferInt) layer.getRaster().getDataBuffer()).getData();
            dirty = true;
        }
        if (dirty) {
            renderLayer();
            dirty = false;
        }
        KWC_Screen.blit(layerPixels, w, h, -1, dst, w, h, 0, 0);
    }

    private static void renderLayer() {
        java.util.Arrays.fill(layerPixels, 0);
        Graphics2D g = layer.createGraphics();
        g.setFont(FONT);
        int ascent = g.getFontMetrics().getAscent();
        int baseline = Math.min(CELL_HEIGHT - 1, ascent + (CELL_HEIGHT - g.getFontMetrics().getHeight()) / 2 + 1);
        for (int r = 0; r < rows; r++)
            for (int c = 0; c < cols; c++) {
                int at = r * cols + c;
                int cp = chars[at];
                if (cp == CONTINUATION) continue;
                int cw = cp != 0 && cellWidth(cp) == 2 ? 2 : 1;
                boolean reverse = (attrs[at] & 1) != 0;
                int fg = reverse ? (back[at] < 0 ? 0 : back[at]) : fore[at];
                int bg = reverse ? fore[at] : back[at];
                int x = c * CELL_WIDTH, y = r * CELL_HEIGHT;
                if (bg >= 0) {
                    g.setColor(new Color(bg));
                    g.fillRect(x, y, cw * CELL_WIDTH, CELL_HEIGHT);
                }
                if (cp == 0 || cp == ' ') {
                    if ((attrs[at] & 2) == 0) continue;
                } else {
                    g.setColor(new Color(fg));
                    g.setFont(KWC_Screen.fontFor(FONT, cp));
                    g.drawString(new String(Character.toChars(cp)), x, y + baseline);
                }
                if ((attrs[at] & 2) != 0) {
                    g.setColor(new Color(fg));
                    g.fillRect(x, y + CELL_HEIGHT - 1, cw * CELL_WIDTH, 1);
                }
            }
        g.dispose();
    }
}
