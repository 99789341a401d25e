import java.awt.event.MouseEvent;
import java.nio.charset.StandardCharsets;
import java.util.HashMap;
import java.util.Map;

/**
 * Tests of the Java runtime, run by CTest. Each group is a table of cases; a failing case prints
 * its name with the expected and the actual value, and the run exits 1.
 */
public class RuntimeTests {
    static int passed, failed;

    static void check(String name, Object actual, Object expected) {
        if (expected == null ? actual == null : expected.equals(actual)) {
            passed++;
        } else {
            failed++;
            System.out.println("FAIL " + name + "\n  expected: " + show(expected) + "\n  actual:   "
                    + show(actual));
        }
    }

    static String show(Object o) {
        return o instanceof String ? "\"" + ((String) o).replace("\n", "\\n") + "\"" : String.valueOf(o);
    }

    /** Runs body, which must stop with a runtime error whose message contains fragment. */
    static void checkError(String name, Runnable body, String fragment) {
        try {
            body.run();
            check(name + " (no error)", "no error", "error containing: " + fragment);
        } catch (IllegalStateException e) {
            check(name, e.getMessage().contains(fragment) ? fragment : e.getMessage(), fragment);
        }
    }

    static void reset(int w, int h, Map<String, String> params) {
        KWC_Applet.setup(w, h, params, null, true);
        KWC_Applet.setInputLines(null);
    }

    static void reset() {
        reset(640, 400, new HashMap<>());
    }

    public static void main(String[] args) {
        numberFormatting();
        stringFunctions();
        mathFunctions();
        valueWrappers();
        arrays();
        textScreen();
        clips();
        colourModes();
        imagesAndSprites();
        pageParameters();
        errorMessages();
        errorLines();
        System.out.println(passed + " passed, " + failed + " failed");
        System.exit(failed == 0 ? 0 : 1);
    }

    // ---- numbers as PRINT and Str show them ----

    static void numberFormatting() {
        // Any value is checked against an oracle (NumberCheck); here the edges of the plain and
        // the exponent form.
        Object[][] singles = {
            {0f, "0"}, {0.5f, ".5"}, {-0.25f, "-.25"}, {1234567f, "1234567"}, {12345678f, "1.234568E+07"},
            {1e7f, "1E+07"}, {0.0000001f, ".0000001"}, {1e-8f, "1E-08"}, {3.4e38f, "3.4E+38"},
            // rounded once from the exact value (14871.2451171875), halves away from zero
            {14871.245f, "14871.25"}, {1234568.5f, "1234569"}, {-1234568.5f, "-1234569"},
        };
        for (Object[] c : singles)
            check("single " + c[0], KWC_TextScreen.formatSingle((Float) c[0]), c[1]);
        Object[][] doubles = {
            {1e15, "1000000000000000"}, {1e16, "1E+16"},
            // 16 digits of the exact value: the double nearest 1E-20 lies just below it
            {1e-20, "9.999999999999999E-21"},
            {1234567890123456.5, "1234567890123457"}, {-1234567890123456.5, "-1234567890123457"},
        };
        for (Object[] c : doubles)
            check("double " + c[0], KWC_TextScreen.formatDouble((Double) c[0]), c[1]);
        Object[][] str = {
            {KWL_String.KW_str(0L), " 0"}, {KWL_String.KW_str(9000000000L), " 9000000000"},
            {KWL_String.KW_str(0.5f), " .5"}, {KWL_String.KW_str(-0.5), "-.5"}, {KWL_String.KW_str(2.0), " 2"},
        };
        for (int i = 0; i < str.length; i++) check("Str case " + i, str[i][0], str[i][1]);
        // PRINT of every type, its blank or sign and its halves: numeric_types.txt, number_rounding.txt.
        nonFiniteValues();
    }

    /**
     * An infinite value overflows, NaN is an illegal call: when stored, printed or given to Str. A
     * double printed and a single stored are the end-to-end programs overflow_print and overflow_store.
     */
    static void nonFiniteValues() {
        final double zero = 0;
        Object[][] cases = {
            {"PRINT 0 / 0", (Runnable) () -> KWC_TextScreen.KW_print(zero / zero, 1),
                KWC_Applet.E_NOT_A_NUMBER},
            {"PRINT single -1 / 0", (Runnable) () -> KWC_TextScreen.KW_print(-1f / (float) zero, 1),
                KWC_Applet.E_OVERFLOW},
            {"Str(1 / 0)", (Runnable) () -> KWL_String.KW_str(1 / zero), KWC_Applet.E_OVERFLOW},
            {"Str(single NaN)", (Runnable) () -> KWL_String.KW_str(Float.NaN), KWC_Applet.E_NOT_A_NUMBER},
            {"new SINGLE from a large DOUBLE", (Runnable) () -> new KWV_Single(1e39), KWC_Applet.E_OVERFLOW},
            {"new DOUBLE NaN", (Runnable) () -> new KWV_Double(zero / zero), KWC_Applet.E_NOT_A_NUMBER},
            {"DOUBLE array element", (Runnable) () -> {
                KWA_Double a = new KWA_Double();
                a.setDimension(1);
                a.setRange(1, 0, 1);
                a.setElement(0);
                a.getValue(1).Set(Math.log(zero));
            }, KWC_Applet.E_OVERFLOW},
            {"Log(NaN)", (Runnable) () -> KWL_Math.KW_log(zero / zero), KWC_Applet.E_NOT_A_NUMBER},
            {"Int(1 / 0)", (Runnable) () -> KWL_Math.KW_int(1 / zero), KWC_Applet.E_OVERFLOW},
        };
        for (Object[] c : cases) checkExactError((String) c[0], (Runnable) c[1], (String) c[2]);
    }

    /** Runs body, which must stop with exactly this runtime error message. */
    static void checkExactError(String name, Runnable body, String message) {
        try {
            body.run();
            check(name + " (no error)", "no error", message);
        } catch (IllegalStateException e) {
            check(name, e.getMessage(), message);
        }
    }

    // ---- KWL_String ----

    // Values at the edges: the program library_edges. Here the calls that stop the program.
    static void stringFunctions() {
        checkExactError("Left negative", () -> KWL_String.KW_left("a", -1),
                "不正な関数呼び出しです（Left(..., -1)）");
        checkError("Right negative", () -> KWL_String.KW_right("a", -1), "Right(..., -1)");
        checkError("Mid start 0", () -> KWL_String.KW_mid("a", 0), "Mid(..., 0)");
        checkError("Mid negative count", () -> KWL_String.KW_mid("a", 1, -1), "Mid(..., ..., -1)");
        checkError("Instr start 0", () -> KWL_String.KW_instr(0, "a", "a"), "Instr(0");
        checkError("Asc empty", () -> KWL_String.KW_asc(""), "Asc(\"\")");
        checkError("Chr negative", () -> KWL_String.KW_chr(-1), "Chr(-1)");
        checkError("Space negative", () -> KWL_String.KW_space(-2), "Space(-2)");
    }

    // ---- KWL_Math ----

    static void mathFunctions() {
        // Values: math_library and library_edges; here the calls that stop the program, and Rnd.
        checkExactError("Sqr negative", () -> KWL_Math.KW_sqr(-1), "不正な関数呼び出しです（Sqr(-1)）");
        checkError("Log 0", () -> KWL_Math.KW_log(0), "Log(0)");
        checkError("ASin 2", () -> KWL_Math.KW_asin(2), "ASin(2)");
        checkError("ACos -1.5", () -> KWL_Math.KW_acos(-1.5), "ACos(-1.5)");
        checkExactError("Int overflow", () -> KWL_Math.KW_int(1e30), "オーバーフローしました（Int(1E+30)）");
        checkExactError("Fix infinity", () -> KWL_Math.KW_fix(Double.POSITIVE_INFINITY), KWC_Applet.E_OVERFLOW);
        checkError("Abs min int", () -> KWL_Math.KW_abs(Integer.MIN_VALUE), "Abs(-2147483648)");
        boolean inRange = true, sawLow = false, sawHigh = false;
        for (int i = 0; i < 20000; i++) {
            double d = KWL_Math.KW_rnd();
            long n = KWL_Math.KW_rnd(6L), m = KWL_Math.KW_rnd(-2L, 2L), r = KWL_Math.KW_rnd(3L, 1L);
            inRange &= d >= 0 && d < 1 && n >= 0 && n < 6 && m >= -2 && m <= 2 && r >= 1 && r <= 3;
            sawLow |= m == -2;
            sawHigh |= m == 2;
        }
        check("Rnd ranges", inRange, true);
        check("Rnd reaches both ends", sawLow && sawHigh, true);
        long full = KWL_Math.KW_rnd(Long.MIN_VALUE, Long.MAX_VALUE);
        check("Rnd full range", full >= Long.MIN_VALUE, true);
    }

    static void valueWrappers() {
        KWV_String fixed = new KWV_String(4);
        check("fixed string starts blank", fixed.Get(), "    ");
        fixed.Set("日本語です");
        check("fixed string cuts characters", fixed.Get(), "日本語で");
        KWV_String s = new KWV_String("b");
        check("string compare", "" + s.L("c") + s.G("a") + s.E("b") + s.NE("b") + s.LE("b") + s.GE("c"),
                "truetruetruefalsetruefalse");
        KWV_Integer i = new KWV_Integer((short) 3);
        check("integer compare", "" + i.G((short) 2) + i.GE((short) 3) + i.L((short) 3) + i.LE((short) 2)
                + i.E((short) 3) + i.NE((short) 3), "truetruefalsefalsetruefalse");
        KWC_Image img = new KWC_Image();
        KWC_Image.KW_createImg(img, 2, 2);
        KWC_Image copy = img.Get();
        KWC_GraphicScreen.KW_line(copy, 0, 0, 1, 0, 0, true, 0xFF0000, 0);
        check("image Get is a copy", KWC_GraphicScreen.KW_Point(img, 0, 0), 0);
        check("image copy changed", KWC_GraphicScreen.KW_Point(copy, 0, 0), 0xFF0000);
    }

    // ---- arrays ----

    static void arrays() {
        reset();
        // Every element of a 3-dimensional array with negative bounds gets its own slot.
        KWA_Long a = new KWA_Long();
        a.setDimension(3);
        a.setRange(1, -2, 1);
        a.setRange(2, 0, 2);
        a.setRange(3, -1, 0);
        a.setElement(0);
        int n = 0;
        for (int i = -2; i <= 1; i++)
            for (int j = 0; j <= 2; j++)
                for (int k = -1; k <= 0; k++)
                    a.getValue(a.getElement(1, i) + a.getElement(2, j) + a.getElement(3, k)
                            + a.getDimension(3)).Set(100 * i + 10 * j + k);
        boolean ok = true;
        for (int i = -2; i <= 1; i++)
            for (int j = 0; j <= 2; j++)
                for (int k = -1; k <= 0; k++, n++)
                    ok &= a.getValue(a.getElement(1, i) + a.getElement(2, j) + a.getElement(3, k)
                            + a.getDimension(3)).Get() == 100 * i + 10 * j + k;
        check("3-d array holds 24 distinct elements", ok && n == 24, true);

        // Above the upper bound, never dimensioned, bounds reversed, subscripts and arguments beyond
        // int: redim_fail_subscript, redim_fail_before, redim_fail_bounds, narrow_subscript, narrow_left.
        Object[][] errors = {
            {"below lower bound", (Runnable) () -> a.getElement(1, -3), "配列の添字が範囲外です（-3、次元1は -2 TO 1）"},
            {"too few subscripts", (Runnable) () -> a.getDimension(2), "配列の次元数が違います（配列は3次元、添字は2個）"},
            {"too many subscripts", (Runnable) () -> a.getElement(4, 0), "配列の次元数が違います（配列は3次元、添字は4個以上）"},
        };
        for (Object[] e : errors) checkExactError("array " + e[0], (Runnable) e[1], (String) e[2]);
        check("INTSUB and INTARG in range", KWC_Applet.INTSUB(-5L) + KWC_Applet.INTARG(2147483647L), 2147483642);

        // 1 dimension: REDIM PRESERVE keeps the elements whose subscripts remain.
        KWA_String s = new KWA_String();
        s.setDimension(1);
        s.setRange(1, 1, 3);
        s.setElement(0);
        for (int i = 1; i <= 3; i++) s.getValue(s.getElement(1, i) + s.getDimension(1)).Set("v" + i);
        s.setDimension(1);
        s.setRange(1, 0, 5);
        s.setElement(1);
        StringBuilder kept = new StringBuilder();
        for (int i = 0; i <= 5; i++) kept.append(s.getValue(s.getElement(1, i) + s.getDimension(1)).Get()).append('|');
        check("preserve 1-d", kept.toString(), "|v1|v2|v3|||");
        s.setDimension(1);
        s.setRange(1, 0, 1);
        s.setElement(0);
        check("redim without preserve clears", s.getValue(s.getElement(1, 1) + s.getDimension(1)).Get(), "");

        // 2 dimensions: Get() is a deep copy. REDIM PRESERVE in 2 dimensions: redim_preserve_2d.txt.
        KWA_Integer m = new KWA_Integer();
        m.setDimension(2);
        m.setRange(1, 0, 1);
        m.setRange(2, -1, 0);
        m.setElement(0);
        for (int i = 0; i <= 1; i++)
            for (int j = -1; j <= 0; j++)
                m.getValue(m.getElement(1, i) + m.getElement(2, j) + m.getDimension(2)).Set((short) (10 * i + j));
        KWA_Integer c = m.Get();
        m.getValue(m.getElement(1, 0) + m.getElement(2, 0) + m.getDimension(2)).Set((short) 77);
        check("copy keeps old value", c.getValue(c.getElement(1, 0) + c.getElement(2, 0) + c.getDimension(2)).Get(), (short) 0);
        check("copy keeps shape", c.Range[1][0] + "," + c.Range[1][1] + "," + c.Dimension, "-1,0,2");
        KWV_Integer live = m.getValue(0);
        live.Set((short) 5);
        check("getValue gives a live element", m.getValue(0).Get() + "," + live.Get(), "5,5");

        KWA_Image images = new KWA_Image();
        images.setDimension(1);
        images.setRange(1, 0, 1);
        images.setElement(0);
        KWC_Image.KW_createImg(images.getValue(1), 3, 2);
        check("image array copy", images.Get().getValue(1).getWidth(), 3);
    }

    // ---- text screen ----

    // PRINT's modes, zones, wrapping and scrolling: the programs print_zones, japanese and
    // tclip_window. Here the cursor kept in the text window, whatever Locate asks.
    static void textScreen() {
        Object[][] windows = {
            {"a Locate below the window, without a line end", (Runnable) () -> {
                KWC_TextScreen.KW_textClip(1, 3, 20, 5);
                KWC_TextScreen.KW_print("a", 0);
                KWC_TextScreen.KW_print("b", 0);
                KWC_TextScreen.KW_locate(1, 20);
                KWC_TextScreen.KW_print("outside", 2);
            }, "\n\na\nb\noutside\n"},
            {"Locate above and right of the window", (Runnable) () -> {
                KWC_TextScreen.KW_textClip(3, 2, 10, 4);
                KWC_TextScreen.KW_locate(30, 1);
                KWC_TextScreen.KW_print("x", 2);
            }, "\n         x\n"},
            {"Locate to extreme values", (Runnable) () -> {
                KWC_TextScreen.KW_locate(Integer.MIN_VALUE, Integer.MAX_VALUE);
                KWC_TextScreen.KW_print("x", 2);
            }, "\n\n\n\n\n\n\nx\n"},
        };
        for (Object[] c : windows) {
            reset(160, 128, new HashMap<>()); // 20 x 8 cells
            ((Runnable) c[1]).run();
            check("window " + c[0], KWC_TextScreen.dumpText(), c[2]);
        }
        // Rows that scroll off are kept only for --dump-text, only the newest, the others counted.
        for (int keep : new int[] {0, 2}) {
            reset(160, 32, new HashMap<>()); // 20 x 2 cells
            KWC_TextScreen.keepScrolledRows(keep);
            for (int i = 1; i <= 5; i++) KWC_TextScreen.KW_print(i, 0);
            check("rows kept: " + keep, KWC_TextScreen.dumpText(),
                    keep == 0 ? " 5\n" : "（ここより前に画面から消えた 2 行は省きました）\n 3\n 4\n 5\n");
        }
        KWC_TextScreen.keepScrolledRows(0);
        // A window scaled 2: the mouse over window pixel (41, 21) is over page pixel (20, 10).
        KWC_Applet.setScale(2);
        new KWC_Applet().mouseMoved(new MouseEvent(new java.awt.Canvas(), MouseEvent.MOUSE_MOVED, 0, 0, 41, 21, 0, false));
        check("mouse in a scaled window", KWC_Applet.KW_mouseX() + "," + KWC_Applet.KW_mouseY(), "20,10");
        KWC_Applet.setScale(1);
    }

    // ---- graphics on a page ----

    static int px(int x, int y) {
        return KWC_GraphicScreen.KW_Point(x, y);
    }

    /** A clip off the page leaves nothing to draw on; huge coordinates draw no stray pixels. */
    static void clips() {
        int[][] offPage = {{700, 0, 800, 10}, {-10, 0, -5, 10}, {0, 500, 10, 600}, {0, -9, 10, -1}};
        KWC_Image small = new KWC_Image();
        KWC_Image.KW_createImg(small, 4, 4);
        Runnable[] drawing = {
            () -> KWC_Screen.KW_cls(1), () -> KWC_Screen.KW_cls(),
            () -> KWC_GraphicScreen.KW_line(0, 0, 0, 0, 63, 47, true, 0xFFFFFF, 2),
            () -> KWC_GraphicScreen.KW_line(0, -5, -5, 0, 100, 100, true, 0xFFFFFF, 0),
            () -> KWC_GraphicScreen.KW_circle(0, 30, 30, 20, true, 0xFFFFFF, false, 0, false, 0, false, 0, 1),
            () -> KWC_GraphicScreen.KW_paint(0, 5, 5, true, 0xFFFFFF, false, 0),
            () -> KWC_GraphicScreen.KW_drawStr(0, 0, 0, "XX", true, 0xFFFFFF),
            () -> KWC_GraphicScreen.KW_put(0, 0, 0, small),
        };
        for (int[] c : offPage) {
            reset(64, 48, new HashMap<>());
            KWC_GraphicScreen.KW_color(0xFFFFFF, 0x00FF00);
            KWC_GraphicScreen.KW_clip(c[0], c[1], c[2], c[3]);
            String problem = "";
            for (int i = 0; i < drawing.length; i++) {
                try {
                    drawing[i].run();
                } catch (RuntimeException e) {
                    problem += " call " + i + ": " + e.getMessage();
                }
            }
            check("clip off the page " + java.util.Arrays.toString(c), problem + litPixels(), " 0 lit");
        }
        reset(64, 48, new HashMap<>());
        KWC_GraphicScreen.KW_color(0xFFFFFF, 0x00FF00);
        KWC_GraphicScreen.KW_clip(60, 40, 800, 900);
        KWC_Screen.KW_cls(1);
        check("clip partly off the page", px(63, 47) + "," + px(60, 40) + "," + px(59, 40), "65280,65280,0");
        reset(64, 48, new HashMap<>());
        int far = 2000000000;
        KWC_GraphicScreen.KW_line(0, -far, -far, 0, far, far, true, 0xFF0000, 2);
        check("box far beyond the page fills it", litPixels(), " " + 64 * 48 + " lit");
        reset(64, 48, new HashMap<>());
        KWC_GraphicScreen.KW_circle(0, Integer.MIN_VALUE, 5, 30, true, 0xFF0000, false, 0, false, 0, false, 0, 1);
        KWC_GraphicScreen.KW_line(0, Integer.MAX_VALUE - 5, 0, 0, Integer.MAX_VALUE, 10, true, 0xFF0000, 0);
        check("shapes at the end of the int range", litPixels(), " 0 lit");
        checkError("GET of a huge block", () -> KWC_GraphicScreen.KW_get(0, Integer.MIN_VALUE, 0, 0,
                Integer.MAX_VALUE, 0, new KWC_Image()), "GET: 範囲が大きすぎます");
        checkError("CopyImg of a huge block", () -> KWC_Image.KW_copyImg(small, Integer.MIN_VALUE, 0,
                Integer.MAX_VALUE, 0, new KWC_Image()), "CopyImg: 画像の大きさが不正です");
    }

    static String litPixels() {
        int lit = 0;
        for (int y = 0; y < 48; y++)
            for (int x = 0; x < 64; x++) lit += px(x, y) != 0 ? 1 : 0;
        return " " + lit + " lit";
    }

    // The QuickBasic mode, its name and Point giving palette numbers: the pixel program colour_modes.
    static void colourModes() {
        reset(16, 16, new HashMap<>());
        check("default mode", KWC_Screen.KW_colorMode(), "Natural");
        Object[][] modes = {
            {(Runnable) KWL_Color_QuickBasic98::KW_QB98ColorMode, "QuickBasic98", 2, 0xFF0000},
            {(Runnable) KWL_Color_VGA::KW_VGAColorMode, "VGA", 31, 0xFFFFFF},
            {(Runnable) KWL_Color_VGA::KW_VGAColorMode, "VGA", 40, 0xFF0000},
            {(Runnable) () -> KWC_Screen.KW_colorMode(1), "Browser", 0x123456, 0x003366},
            {(Runnable) () -> KWC_Screen.KW_colorMode(0), "Natural", 0x123456, 0x123456},
        };
        for (Object[] m : modes) {
            ((Runnable) m[0]).run();
            check("mode name " + m[1], KWC_Screen.KW_colorMode(), m[1]);
            KWC_GraphicScreen.KW_line(0, 1, 1, 1, 0, 0, true, (Integer) m[2], 0);
            check(m[1] + " colour " + m[2], KWC_Screen.compose(null).getRGB(1, 1) & 0xFFFFFF, m[3]);
        }
        KWL_Color_QuickBasic.KW_QBColorMode();
        KWC_GraphicScreen.KW_line(0, 3, 3, 1, 0, 0, false, 0, 0);
        check("default colour of a palette is white", KWC_GraphicScreen.KW_Point(3, 3), 15);
        KWC_GraphicScreen.KW_line(0, 4, 4, 1, 0, 0, true, 17, 0);
        check("palette number wraps", KWC_GraphicScreen.KW_Point(4, 4), 1);
        check("VGA has 256 colours", KWL_Color_VGA.PALETTE.length, 256);
        checkError("unknown ColorMode", () -> KWC_Screen.KW_colorMode(7), "ColorMode 7: そのカラーモードはありません");
    }

    static void imagesAndSprites() {
        reset(32, 32, new HashMap<>());
        KWC_Image red = new KWC_Image(), blue = new KWC_Image(), trans = new KWC_Image();
        KWC_GraphicScreen.KW_color(0xFF0000, 0xFF0000);
        KWC_Image.KW_createImg(red, 4, 4);
        KWC_GraphicScreen.KW_color(0xFFFFFF, 0x0000FF);
        KWC_Image.KW_createImg(blue, 4, 4);
        KWC_GraphicScreen.KW_color(0xFFFFFF, 0);
        KWC_Image.KW_createTransImg(trans, 4, 4, 0x00FF00);
        KWC_GraphicScreen.KW_line(trans, 0, 0, 0, 3, 0, true, 0xFFFF00, 0);
        KWC_SpriteScreen.KW_sprite(2, blue, 2, 2);
        KWC_SpriteScreen.KW_sprite(1, red, 0, 0);
        KWC_SpriteScreen.KW_sprite(3, trans, 2, 2);
        java.awt.image.BufferedImage f = KWC_Screen.compose(null);
        check("lower-numbered sprite below", f.getRGB(1, 1) & 0xFFFFFF, 0xFF0000);
        check("higher-numbered sprite on top", f.getRGB(3, 3) & 0xFFFFFF, 0x0000FF);
        check("transparent colour shows what is below", f.getRGB(3, 4) & 0xFFFFFF, 0x0000FF);
        check("drawn pixels of a transparent image", f.getRGB(2, 2) & 0xFFFFFF, 0xFFFF00);
        KWC_SpriteScreen.KW_spriteMove(2, 10, 10);
        KWC_SpriteScreen.KW_spriteMove(2, 1, 1, 1);
        KWC_SpriteScreen.KW_spriteOff(1);
        f = KWC_Screen.compose(null);
        check("sprite off", f.getRGB(0, 0) & 0xFFFFFF, 0);
        check("relative move", (f.getRGB(11, 11) & 0xFFFFFF) + "," + (f.getRGB(10, 10) & 0xFFFFFF), 0xFF + ",0");
        KWC_SpriteScreen.KW_spriteHide();
        check("sprites hidden", KWC_Screen.compose(null).getRGB(11, 11) & 0xFFFFFF, 0);
        KWC_SpriteScreen.KW_spriteShow();
        KWC_TextScreen.KW_textColor(0xFFFFFF, 0x00FF00);
        KWC_TextScreen.KW_print(" ", 2);
        check("text background above sprites", KWC_Screen.compose(null).getRGB(3, 3) & 0xFFFFFF, 0x00FF00);
        KWC_Image part = new KWC_Image();
        KWC_Image.KW_copyImg(blue, 1, 1, 2, 3, part);
        check("copy part", part.getWidth() + "x" + part.getHeight(), "2x3");
        checkError("bad image size", () -> KWC_Image.KW_createImg(new KWC_Image(), 0, 5), "画像の大きさが不正です（0 x 5）");
        Map<String, String> p = new HashMap<>();
        p.put("AppletSprite", "2");
        reset(8, 8, p);
        checkError("sprite number limit", () -> KWC_SpriteScreen.KW_sprite(2, red, 0, 0), "Sprite 2: そのスプライトはありません");
    }

    static void pageParameters() {
        // Upper-case names: the tests run in a Turkish locale, where a case mapping
        // that depends on the locale turns "WIDTH" into "wıdth".
        String html = "<applet CODE=\"Demo.class\" WIDTH=320 HEIGHT=200>\r\n"
                + "    <PARAM name=\"AppletWidth\" value=\"320\">\r\n"
                + "    <PARAM name=\"speed\" value=\"10\">\r\n"
                + "    <param NAME='Title' VALUE='日本 &amp; more'>\r\n"
                + "</applet>\r\n";
        KWC_Viewer.Page page;
        try {
            page = KWC_Viewer.parsePage(html.getBytes(StandardCharsets.UTF_8));
        } catch (java.io.IOException e) {
            check("page parses", e.toString(), "no exception");
            return;
        }
        check("page class", page.code, "Demo");
        check("page size", page.width + "x" + page.height, "320x200");
        reset(page.width, page.height, page.params);
        new KWC_Applet();
        Object[][] cases = {
            // a name and a missing one: the program Page
            {"title", "日本 & more"}, {"TITLE", "日本 & more"}, {"AppletWidth", "320"},
        };
        for (Object[] c : cases) check("Param " + c[0], KWL_Browser.KW_param((String) c[0]), c[1]);
        try {
            byte[] sjis = "<applet code=\"S.class\" width=8 height=8>\n<PARAM name=\"t\" value=\"日本\">\n</applet>\n"
                    .getBytes("windows-31j");
            check("Shift_JIS page", KWC_Viewer.parsePage(sjis).params.get("t"), "日本");
        } catch (java.io.IOException e) {
            check("Shift_JIS page parses", e.toString(), "no exception");
        }
        check("keys escapes", KWC_Viewer.decodeKeys("a\\nb\\\\"), "a\rb\\");
    }

    static Throwable thrownIn(Throwable t, String className) {
        t.setStackTrace(new StackTraceElement[] {new StackTraceElement(className, "run", "X.java", 1)});
        return t;
    }

    // Division by zero, GOSUB too deep, RETURN without GOSUB and runaway recursion: the end-to-end
    // programs int_division_by_zero, fail_gosub_overflow, fail_return_without_gosub,
    // proc_runaway_recursion.
    static void errorMessages() {
        String prefix = "実行時エラー: ";
        Object[][] cases = {
            {thrownIn(new IllegalStateException("配列の添字が範囲外です（3）"), "KWC_Array"),
                "配列の添字が範囲外です（3）"},
            {thrownIn(new ArithmeticException("long overflow"), "Prog"), "オーバーフローしました"},
            {new OutOfMemoryError(), "メモリが足りません"},
            {thrownIn(new NullPointerException("x"), "Prog"), KWC_Applet.E_UNEXPECTED},
            {thrownIn(new IllegalStateException("Iterator"), "java.util.Foo"), KWC_Applet.E_UNEXPECTED},
            {thrownIn(new ArrayIndexOutOfBoundsException("Index 9"), "KWC_Other"), KWC_Applet.E_UNEXPECTED},
        };
        for (Object[] c : cases)
            check("error line " + c[1], KWC_Viewer.describe((Throwable) c[0], "Prog"), prefix + c[1]);
        try {
            KWC_Applet.IDIV(7, 0.4);
            check("IDIV by a divisor rounding to 0", "no error", "division by zero");
        } catch (ArithmeticException e) {
            check("IDIV by a divisor rounding to 0", KWC_Viewer.describe(e, "Prog"), prefix + "0 で除算しました");
        }
        check("IDIV", KWC_Applet.IDIV(-7, 2), -3L);
    }

    /** t thrown at the frames "Class:line", innermost first, with its cause. */
    static Throwable thrownAt(Throwable t, Throwable cause, String... frames) {
        StackTraceElement[] st = new StackTraceElement[frames.length];
        for (int i = 0; i < frames.length; i++) {
            String[] f = frames[i].split(":");
            st[i] = new StackTraceElement(f[0], "run", f[0].split("\\$")[0] + ".java", Integer.parseInt(f[1]));
        }
        t.setStackTrace(st);
        return cause == null ? t : t.initCause(cause);
    }

    static void errorLines() {
        String map = "corvel-lines 1\nsource Hello.txt\njava 4\n0\n12\n0\n13\ntext 2\n12\tA(I) = 5\n13\tX\t= 1\n";
        String msg = "実行時エラー: 配列の添字が範囲外です";
        // The runtime class throws; Hello.java line 1 maps to no Corvel line, line 2 to line 12.
        Throwable inArray = thrownAt(new IllegalStateException("配列の添字が範囲外です"), null,
                "KWC_Array:4", "Hello:1", "Hello:2", "Hello:4");
        Throwable unmapped = thrownAt(new IllegalStateException("配列の添字が範囲外です"), null,
                "KWC_Array:2", "Hello:3", "Hello:9");
        Throwable wrapped = thrownAt(new RuntimeException("x"), inArray, "Other:4");
        String unexpected = "実行時エラー: " + KWC_Applet.E_UNEXPECTED;
        Object[][] cases = {
            {"nested frame, tab in text", map, thrownAt(new ArithmeticException("/ by zero"), null,
                "Hello$KWU_F:4", "Hello:2"), false,
                "実行時エラー: 0 で除算しました\n第13行目\n    <X\t= 1>\n呼び出し元: 第12行目 <A(I) = 5>"},
            {"line of the cause, its caller", map, wrapped, false, unexpected + "\n第12行目\n    <A(I) = 5>\n呼び出し元: 第13行目 <X\t= 1>"},
            {"no mapped frame", map, unmapped, false, msg},
            {"no map", null, inArray, false, msg},
            {"other version", map.replace("lines 1", "lines 2"), inArray, false, msg},
            {"short java part", map.replace("java 4", "java 5"), inArray, false, msg},
            {"missing text", map.replace("13\tX\t= 1\n", "").replace("text 2", "text 1"), inArray, false, msg},
            {"text not ascending", map.replace("12\tA(I) = 5\n13", "13\tA(I) = 5\n12"), inArray, false, msg},
            {"signed number", map.replace("\n12\n", "\n+12\n"), inArray, false, msg},
            {"gnu", map, inArray, true, "Hello.txt:12: error: " + msg + "\nHello.txt:13: note: 呼び出し元"},
            {"gnu, no mapped frame", map, unmapped, true, "Hello.txt: error: " + msg},
            {"gnu, no map", "corvel-lines 1\n", inArray, true, "Hello.java: error: " + msg},
        };
        for (Object[] c : cases) {
            KWC_Viewer.LineMap m = c[1] == null ? null : KWC_Viewer.LineMap.parse(((String) c[1]).getBytes(StandardCharsets.UTF_8));
            check("error report, " + c[0], KWC_Viewer.errorReport((Throwable) c[2], "Hello", m, (Boolean) c[3]), c[4]);
        }
        check("bad UTF-8 map", KWC_Viewer.LineMap.parse(new byte[] {'c', (byte) 0xff}), null);
        check("--diagnostics gnu", KWC_Viewer.parseArgs(new String[] {"--diagnostics", "gnu", "P.html"}).gnu, true);
        for (String bad : new String[] {"--diagnostics=GNU", "--diagnostics="}) {
            try {
                KWC_Viewer.parseArgs(new String[] {bad, "P.html"});
                check(bad, "accepted", "usage error");
            } catch (IllegalArgumentException e) {
                check(bad, "usage error", "usage error");
            }
        }
    }
}
