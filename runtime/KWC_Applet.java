import java.awt.Canvas;
import java.awt.Graphics;
import java.awt.event.InputEvent;
import java.awt.event.KeyEvent;
import java.awt.event.KeyListener;
import java.awt.event.MouseEvent;
import java.awt.event.MouseListener;
import java.awt.event.MouseMotionListener;
import java.awt.image.BufferedImage;
import java.io.BufferedReader;
import java.io.File;
import java.io.IOException;
import java.io.InputStream;
import java.util.ArrayDeque;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.Locale;
import java.util.Map;
import javax.sound.sampled.AudioInputStream;
import javax.sound.sampled.AudioSystem;
import javax.sound.sampled.Clip;

/**
 * Base class of every translated program. The program's class overrides run(); the viewer creates
 * it, calls setup() first and then runs it on its own thread. All runtime state is static: one
 * program runs per virtual machine, and the static library methods of the other classes reach it
 * without a reference to the instance.
 *
 * No nested or anonymous classes here: the translator copies exactly KWC_Applet.class.
 */
public class KWC_Applet extends Canvas
        implements Runnable, KeyListener, MouseListener, MouseMotionListener {
    private static final long serialVersionUID = 1L;

    /** Set by a getInput() whose field is missing or does not parse; INPUT then asks again. */
    public static boolean InputError;

    static KWC_Applet current;
    static final Map<String, String> params = new HashMap<>();
    static String documentURL = "";
    static File documentFolder = new File(".");
    static boolean headless = true;
    static volatile String statusText = "";
    static volatile boolean browserOpened;

    // Keys typed (or given with --keys) and not yet read by Inkey or INPUT. Guarded by itself.
    static final ArrayDeque<String> keyQueue = new ArrayDeque<>();
    static volatile int mouseX, mouseY, mouseButtons, modifiers;

    // INPUT: lines given by the viewer (null: read the keyboard), the fields of the current line.
    static BufferedReader inputLines;
    static String[] inputFields = new String[0];
    static int inputIndex;
    static final Map<String, Integer> inputItemCounts = new HashMap<>();

    static final ArrayList<Clip> clips = new ArrayList<>();

    private transient BufferedImage frame;
    /** Window pixels per page pixel in each direction (the viewer's --scale); 1 without a window. */
    static int scale = 1;

    /**
     * Prepares the runtime before the program object is created: page size, parameters (names
     * compared without case), the page's location, and whether there is a display.
     */
    public static void setup(int width, int height, Map<String, String> parameters, File pageFile,
            boolean noDisplay) {
        params.clear();
        for (Map.Entry<String, String> e : parameters.entrySet())
            params.put(e.getKey().toLowerCase(Locale.ROOT), e.getValue());
        if (pageFile != null) {
            File abs = pageFile.getAbsoluteFile();
            documentFolder = abs.getParentFile() == null ? new File(".") : abs.getParentFile();
            documentURL = abs.toURI().toString();
        }
        headless = noDisplay;
        int pages = intParam("AppletPage", 2);
        int sprites = intParam("AppletSprite", -1);
        int pageW = Math.max(width, intParam("ReservedWidth", width));
        int pageH = Math.max(height, intParam("ReservedHeight", height));
        KWC_Screen.init(width, height, pageW, pageH, pages);
        KWC_SpriteScreen.init(sprites);
        InputError = false;
        inputFields = new String[0];
        inputIndex = 0;
    }

    static int intParam(String name, int fallback) {
        String v = params.get(name.toLowerCase(Locale.ROOT));
        if (v == null) return fallback;
        try {
            return Integer.parseInt(v.trim());
        } catch (NumberFormatException e) {
            return fallback;
        }
    }

    /** Sets the scale of the window's picture; the program still sees the page's own pixels. */
    public static void setScale(int windowPixelsPerPagePixel) {
        scale = Math.max(1, windowPixelsPerPagePixel);
    }

    /** The page pixel under a pixel of the (scaled) window. */
    static int pagePixel(int windowPixel) {
        return Math.floorDiv(windowPixel, scale);
    }

    public KWC_Applet() {
        current = this;
        setSize(KWC_Screen.width * scale, KWC_Screen.height * scale);
        setFocusable(true);
        addKeyListener(this);
        addMouseListener(this);
        addMouseMotionListener(this);
    }

    @Override
    public java.awt.Dimension getPreferredSize() {
        return new java.awt.Dimension(KWC_Screen.width * scale, KWC_Screen.height * scale);
    }

    /** The program's main routine; the translated class overrides it. */
    @Override
    public void run() {}

    /** A PARAM value of the page, or null when the page has none of that name. */
    public String getParameter(String name) {
        return params.get(name.toLowerCase(Locale.ROOT));
    }

    public static KWC_Applet current() {
        return current;
    }

    public static String documentURL() {
        return documentURL;
    }

    public static File documentFolder() {
        return documentFolder;
    }

    public static boolean isHeadless() {
        return headless;
    }

    /** Text of the window's status line (Status). */
    public static String statusText() {
        return statusText;
    }

    public static void setStatusText(String text) {
        statusText = text == null ? "" : text;
    }

    // ---- runtime errors ----
    //
    // Every text a stopped program shows is in this table, so that the wording is kept in one
    // place. The patterns take their values through String.format (Locale.ROOT); numbers are
    // given as the program shows them. The viewer writes ERROR_PREFIX before the message.

    public static final String ERROR_PREFIX = "実行時エラー: ";
    public static final String E_DIVISION_BY_ZERO = "0 で除算しました";
    public static final String E_OVERFLOW = "オーバーフローしました";
    /** Overflow of a function: the call as written, e.g. Int(1E+30). */
    public static final String E_OVERFLOW_IN = "オーバーフローしました（%s）";
    public static final String E_NOT_A_NUMBER = "不正な関数呼び出しです（計算の結果が数になりません）";
    /** An illegal argument: the call as written, e.g. Sqr(-1). */
    public static final String E_ILLEGAL_CALL = "不正な関数呼び出しです（%s）";
    public static final String E_ARGUMENT_RANGE = "不正な関数呼び出しです（引数 %s が範囲外です）";
    public static final String E_SUBSCRIPT = "配列の添字が範囲外です（%s）";
    public static final String E_SUBSCRIPT_IN = "配列の添字が範囲外です（%d、次元%dは %d TO %d）";
    public static final String E_DIMENSIONS = "配列の次元数が違います（配列は%d次元、添字は%d個）";
    public static final String E_DIMENSIONS_MORE = "配列の次元数が違います（配列は%d次元、添字は%d個以上）";
    public static final String E_NOT_DIMENSIONED = "REDIM されていない配列を使いました";
    public static final String E_REDIM_BOUNDS = "REDIM の範囲が不正です（%d TO %d）";
    public static final String E_REDIM_DIMENSIONS = "REDIM の次元数が不正です（%d）";
    public static final String E_REDIM_NO_DIMENSION = "REDIM の次元 %d がありません";
    public static final String E_ARRAY_TOO_LARGE = "配列が大きすぎます（要素数 %d）";
    public static final String E_RETURN_WITHOUT_GOSUB = "GOSUB なしで RETURN を実行しました";
    public static final String E_GOSUB_TOO_DEEP = "GOSUB の入れ子が深すぎます";
    public static final String E_CALLS_TOO_DEEP = "プロシージャ呼び出しの入れ子が深すぎます";
    public static final String E_OUT_OF_MEMORY = "メモリが足りません";
    public static final String E_INPUT_UNREADABLE = "INPUT の入力を読み込めません";
    public static final String E_INPUT_EXHAUSTED = "INPUT に与える入力がもうありません";
    public static final String E_INPUT_NONE = "INPUT に与える入力がありません（ビューアの --input）";
    public static final String E_INTERRUPTED = "入力待ちが中断されました";
    public static final String E_NO_PAGE = "%s %d: そのページはありません（ページは 0 から %d まで）";
    public static final String E_NO_SPRITE = "%s %d: そのスプライトはありません（スプライトは 0 から %d まで）";
    public static final String E_BLOCK_TOO_LARGE = "%s: 範囲が大きすぎます（%d x %d）";
    public static final String E_IMAGE_SIZE = "%s: 画像の大きさが不正です（%d x %d）";
    public static final String E_IMAGE_UNREADABLE = "%s: 画像ファイル %s を読み込めません";
    public static final String E_NOT_AN_IMAGE = "%s: %s は画像ファイル（PNG、GIF、JPEG）ではありません";
    public static final String E_COLOR_MODE =
            "ColorMode %d: そのカラーモードはありません（0 ナチュラル、1 ブラウザセーフ）";
    public static final String E_TEXT_WINDOW = "TClip: テキストウィンドウが画面の外にあります";
    public static final String E_UNEXPECTED = "プログラムの実行中に予期しない障害が起きました";

    /** Stops the program with a runtime error; the viewer shows the message and exits 1. */
    public static RuntimeException runtimeError(String message) {
        throw new IllegalStateException(message);
    }

    /** Stops the program with a message of the table, its values filled in. */
    public static RuntimeException runtimeError(String pattern, Object... values) {
        throw new IllegalStateException(String.format(Locale.ROOT, pattern, values));
    }

    /**
     * The message of whatever stopped the program: the runtime's own errors as thrown, the Java
     * errors that stand for a Corvel one (integer division by zero, the GOSUB stack of the program
     * class, deep recursion, memory) by their table text, anything else by a text that names no
     * Java class.
     */
    public static String errorMessage(Throwable t, String programClass) {
        StackTraceElement[] st = t.getStackTrace();
        String thrower = st.length > 0 ? st[0].getClassName() : "";
        if (t instanceof IllegalStateException && thrower.startsWith("KW")) return t.getMessage();
        if (t instanceof ArithmeticException)
            return String.valueOf(t.getMessage()).contains("overflow") ? E_OVERFLOW
                    : E_DIVISION_BY_ZERO;
        if (t instanceof StackOverflowError) return E_CALLS_TOO_DEEP;
        if (t instanceof OutOfMemoryError) return E_OUT_OF_MEMORY;
        // The program's own class, or one of its frames (Program$KWU_Main...).
        boolean own = thrower.equals(programClass) || thrower.startsWith(programClass + "$");
        if (t instanceof ArrayIndexOutOfBoundsException && own)
            return String.valueOf(t.getMessage()).startsWith("Index -1") ? E_RETURN_WITHOUT_GOSUB
                    : E_GOSUB_TOO_DEEP;
        return E_UNEXPECTED;
    }

    // ---- SINGLE and DOUBLE values: an infinite one overflows, NaN is an illegal call ----

    /** v itself when finite; stops the program otherwise (stores, PRINT and Str call it). */
    public static double checkReal(double v) {
        if (Double.isFinite(v)) return v;
        throw runtimeError(Double.isNaN(v) ? E_NOT_A_NUMBER : E_OVERFLOW);
    }

    public static float checkReal(float v) {
        if (Float.isFinite(v)) return v;
        throw runtimeError(Float.isNaN(v) ? E_NOT_A_NUMBER : E_OVERFLOW);
    }

    /** A file named by the program, relative to the page's folder unless absolute. */
    public static File resolve(String path) {
        File f = new File(path);
        return f.isAbsolute() ? f : new File(documentFolder, path);
    }

    // ---- logical operators on booleans and integers ----

    public static boolean XOR(boolean a, boolean b) {
        return a != b;
    }

    public static boolean EQV(boolean a, boolean b) {
        return a == b;
    }

    public static boolean IMP(boolean a, boolean b) {
        return !a || b;
    }

    public static int BEQV(int a, int b) {
        return ~(a ^ b);
    }

    public static int BIMP(int a, int b) {
        return ~a | b;
    }

    // ---- checked integer operations that the generated code calls ----

    /**
     * a \ b: both operands made whole as a store into a LONGLONG makes them (rounded half up,
     * NaN and values past its range stop the program), the quotient truncated; a zero divisor
     * stops the program.
     */
    public static long IDIV(double a, double b) {
        long divisor = CLNG64(b);
        if (divisor == 0) throw new ArithmeticException(E_DIVISION_BY_ZERO);
        return CLNG64(a) / divisor;
    }

    // ---- a real value made whole: rounded half up, as every store into a whole-number type ----
    // Whole-number arithmetic wraps at 32 or 64 bits; a real value that no whole type of the
    // target can hold is no wrapped number but an overflow (NaN: an illegal call).

    private static final double TWO_TO_63 = 9.223372036854775808E18;

    /** v rounded to a LONGLONG (half up); NaN or a value outside its range stops the program. */
    public static long CLNG64(double v) {
        if (v != v) throw runtimeError(E_NOT_A_NUMBER);
        // Rounding half up reaches 2^63 from 2^63 - 0.5; any double past -2^63 - 0.5 rounds below.
        if (v >= TWO_TO_63 || v < -TWO_TO_63) throw runtimeError(E_OVERFLOW);
        return Math.round(v);
    }

    /** v rounded to a LONG (32 bits); NaN or a value outside its range stops the program. */
    public static int CLNG32(double v) {
        long r = CLNG64(v);
        if (r != (int) r) throw runtimeError(E_OVERFLOW);
        return (int) r;
    }

    /** v rounded to an INTEGER (16 bits); NaN or a value outside its range stops the program. */
    public static short CINT16(double v) {
        long r = CLNG64(v);
        if (r != (short) r) throw runtimeError(E_OVERFLOW);
        return (short) r;
    }

    /** v rounded to a BYTE (-128 to 127); NaN or a value outside its range stops the program. */
    public static byte CBYTE(double v) {
        long r = CLNG64(v);
        if (r != (byte) r) throw runtimeError(E_OVERFLOW);
        return (byte) r;
    }

    /** A whole-number argument of a library call narrowed to int; outside the int range it stops. */
    public static int INTARG(long v) {
        if (v < Integer.MIN_VALUE || v > Integer.MAX_VALUE)
            throw runtimeError(E_ARGUMENT_RANGE, v);
        return (int) v;
    }

    /** A subscript narrowed to int; outside the int range it stops. */
    public static int INTSUB(long v) {
        if (v < Integer.MIN_VALUE || v > Integer.MAX_VALUE)
            throw runtimeError(E_SUBSCRIPT, v);
        return (int) v;
    }

    // A real argument or subscript made whole (half up) and narrowed to int. Out of range, the
    // message names the value as the program computed it (1E+30), not a clamped whole number;
    // formatting it stops an infinite or NaN value first.

    public static int INTARG(float v) {
        return realToInt(v, E_ARGUMENT_RANGE, true);
    }

    public static int INTARG(double v) {
        return realToInt(v, E_ARGUMENT_RANGE, false);
    }

    public static int INTSUB(float v) {
        return realToInt(v, E_SUBSCRIPT, true);
    }

    public static int INTSUB(double v) {
        return realToInt(v, E_SUBSCRIPT, false);
    }

    // A float widens to double exactly, and narrows back exactly for its text.
    private static int realToInt(double v, String pattern, boolean single) {
        if (!(v < 2147483647.5 && v >= -2147483648.5))
            throw runtimeError(pattern, single ? KWC_TextScreen.formatSingle((float) v)
                    : KWC_TextScreen.formatDouble(v));
        return (int) Math.round(v);
    }

    // ---- keyboard and mouse ----

    public static boolean KW_true() {
        return true;
    }

    public static boolean KW_false() {
        return false;
    }

    public static int KW_mouseX() {
        return mouseX;
    }

    public static int KW_mouseY() {
        return mouseY;
    }

    /** Buttons held: 1 left, 2 right, 4 middle. */
    public static int KW_mouseButton() {
        return mouseButtons;
    }

    public static int KW_shiftKey() {
        return (modifiers & InputEvent.SHIFT_DOWN_MASK) != 0 ? 1 : 0;
    }

    public static int KW_ctrlKey() {
        return (modifiers & InputEvent.CTRL_DOWN_MASK) != 0 ? 1 : 0;
    }

    public static int KW_altKey() {
        return (modifiers & InputEvent.ALT_DOWN_MASK) != 0 ? 1 : 0;
    }

    public static int KW_metaKey() {
        return (modifiers & InputEvent.META_DOWN_MASK) != 0 ? 1 : 0;
    }

    /** The next key typed, "" when none is waiting. */
    public static String KW_inkey() {
        synchronized (keyQueue) {
            String k = keyQueue.poll();
            return k == null ? "" : k;
        }
    }

    /** Queues keys as if typed; the viewer's --keys text. */
    public static void pushKeys(String text) {
        synchronized (keyQueue) {
            text.codePoints().forEach(cp -> keyQueue.add(new String(Character.toChars(cp))));
            keyQueue.notifyAll();
        }
    }

    static String waitKey() {
        synchronized (keyQueue) {
            while (keyQueue.isEmpty()) {
                try {
                    keyQueue.wait();
                } catch (InterruptedException e) {
                    Thread.currentThread().interrupt();
                    throw runtimeError(E_INTERRUPTED);
                }
            }
            return keyQueue.poll();
        }
    }

    @Override
    public void keyTyped(KeyEvent e) {
        char c = e.getKeyChar();
        if (c == KeyEvent.CHAR_UNDEFINED) return;
        if (c == '\n') c = '\r';
        pushKeys(String.valueOf(c));
    }

    @Override
    public void keyPressed(KeyEvent e) {
        modifiers = e.getModifiersEx();
        String k = null;
        switch (e.getKeyCode()) {
            case KeyEvent.VK_RIGHT: k = "\u001c"; break;
            case KeyEvent.VK_LEFT: k = "\u001d"; break;
            case KeyEvent.VK_UP: k = "\u001e"; break;
            case KeyEvent.VK_DOWN: k = "\u001f"; break;
            default: break;
        }
        if (k != null) pushKeys(k);
    }

    @Override
    public void keyReleased(KeyEvent e) {
        modifiers = e.getModifiersEx();
    }

    private static void mouseState(MouseEvent e) {
        mouseX = pagePixel(e.getX());
        mouseY = pagePixel(e.getY());
        modifiers = e.getModifiersEx();
        int m = e.getModifiersEx();
        mouseButtons = ((m & InputEvent.BUTTON1_DOWN_MASK) != 0 ? 1 : 0)
                | ((m & InputEvent.BUTTON3_DOWN_MASK) != 0 ? 2 : 0)
                | ((m & InputEvent.BUTTON2_DOWN_MASK) != 0 ? 4 : 0);
    }

    @Override
    public void mouseClicked(MouseEvent e) {}

    @Override
    public void mousePressed(MouseEvent e) {
        requestFocus();
        mouseState(e);
    }

    @Override
    public void mouseReleased(MouseEvent e) {
        mouseState(e);
    }

    @Override
    public void mouseEntered(MouseEvent e) {
        mouseState(e);
    }

    @Override
    public void mouseExited(MouseEvent e) {
        mouseState(e);
    }

    @Override
    public void mouseDragged(MouseEvent e) {
        mouseState(e);
    }

    @Override
    public void mouseMoved(MouseEvent e) {
        mouseState(e);
    }

    // ---- drawing in a window ----

    @Override
    public void update(Graphics g) {
        paint(g);
    }

    @Override
    public void paint(Graphics g) {
        frame = KWC_Screen.compose(frame);
        // Nearest neighbour: each page pixel a sharp square of scale x scale window pixels.
        ((java.awt.Graphics2D) g).setRenderingHint(java.awt.RenderingHints.KEY_INTERPOLATION,
                java.awt.RenderingHints.VALUE_INTERPOLATION_NEAREST_NEIGHBOR);
        g.drawImage(frame, 0, 0, frame.getWidth() * scale, frame.getHeight() * scale, null);
    }

    // ---- sound: a missing file or no audio device is ignored ----

    public static void KW_onePlay(String file) {
        playClip(file, false);
    }

    public static void KW_play(String file) {
        playClip(file, true);
    }

    public static void KW_stop() {
        synchronized (clips) {
            for (Clip c : clips) {
                try {
                    c.stop();
                    c.close();
                } catch (RuntimeException e) {
                    // a clip that cannot stop is dropped all the same
                }
            }
            clips.clear();
        }
    }

    private static void playClip(String file, boolean loop) {
        if (headless) return;
        try (AudioInputStream in = AudioSystem.getAudioInputStream(resolve(file))) {
            Clip clip = AudioSystem.getClip();
            clip.open(in);
            if (loop) clip.loop(Clip.LOOP_CONTINUOUSLY);
            else clip.start();
            synchronized (clips) {
                clips.add(clip);
            }
        } catch (Exception | LinkageError e) {
            // no audio device, unknown format or missing file: stay silent
        }
    }

    // ---- INPUT ----

    /** Where INPUT reads its lines; null makes it read the keyboard (with a window). */
    public static void setInputLines(BufferedReader reader) {
        inputLines = reader;
    }

    /**
     * Starts one round of an INPUT statement: shows "?Redo from start" when the previous round
     * failed, the prompt (with "? " when sepMode is 0), reads one line and cuts it into fields.
     * promptMode 1 keeps the cursor on the input line afterwards (INPUT ;).
     */
    public static void initInput(int promptMode, String prompt, int sepMode) {
        if (InputError) {
            KWC_TextScreen.newLineIfNeeded();
            KWC_TextScreen.printText("?Redo from start");
            KWC_TextScreen.newLine();
        }
        InputError = false;
        KWC_TextScreen.printText(prompt + (sepMode == 0 ? "? " : ""));
        String line = readInputLine();
        if (promptMode != 1) KWC_TextScreen.newLine();
        inputFields = splitFields(line);
        inputIndex = 0;
        int expected = expectedInputItems();
        if (expected >= 0 && expected != inputFields.length) InputError = true;
    }

    private static String readInputLine() {
        if (inputLines != null) {
            String line;
            try {
                line = inputLines.readLine();
            } catch (IOException e) {
                throw runtimeError(E_INPUT_UNREADABLE);
            }
            if (line != null) {
                KWC_TextScreen.printText(line);
                return line;
            }
            if (headless) throw runtimeError(E_INPUT_EXHAUSTED);
            inputLines = null;
        } else if (headless) {
            throw runtimeError(E_INPUT_NONE);
        }
        StringBuilder typed = new StringBuilder();
        while (true) {
            String k = waitKey();
            int c = k.codePointAt(0);
            if (c == '\r') return typed.toString();
            if (c == 8) {
                if (typed.length() > 0) {
                    int cp = typed.codePointBefore(typed.length());
                    typed.setLength(typed.length() - Character.charCount(cp));
                    KWC_TextScreen.backspace(KWC_TextScreen.cellWidth(cp));
                }
            } else if (c >= 32 && c != 127) {
                typed.append(k);
                KWC_TextScreen.printText(k);
            }
        }
    }

    /** Comma-separated fields; a field in double quotes may hold commas. Blanks around are cut. */
    static String[] splitFields(String line) {
        ArrayList<String> out = new ArrayList<>();
        int i = 0, n = line.length();
        while (true) {
            while (i < n && line.charAt(i) == ' ') i++;
            StringBuilder f = new StringBuilder();
            if (i < n && line.charAt(i) == '"') {
                int close = line.indexOf('"', i + 1);
                if (close < 0) close = n;
                f.append(line, i + 1, close);
                i = close + 1;
                while (i < n && line.charAt(i) != ',') {
                    if (line.charAt(i) != ' ') f.append('\u0000'); // text after the quote: a bad field
                    i++;
                }
                out.add(f.toString());
            } else {
                int comma = line.indexOf(',', i);
                if (comma < 0) comma = n;
                out.add(line.substring(i, comma).strip());
                i = comma;
            }
            if (i >= n) break;
            i++; // the comma
        }
        return out.toArray(new String[0]);
    }

    /** The next field of the current INPUT line, or null (and InputError set) when none is left. */
    public static String nextInputField() {
        if (InputError) return null;
        if (inputIndex >= inputFields.length) {
            InputError = true;
            return null;
        }
        String f = inputFields[inputIndex++];
        if (f.indexOf('\u0000') >= 0) {
            InputError = true;
            return null;
        }
        return f;
    }

    /**
     * An INPUT field as a whole number within [min, max]; a fraction is rounded, an empty field is
     * 0. Null (and InputError set) when it is not a number or out of range.
     */
    public static Long inputInteger(long min, long max) {
        String f = nextInputField();
        if (f == null) return null;
        long v;
        if (f.isEmpty()) {
            v = 0;
        } else if (f.matches("[+-]?[0-9]{1,18}")) {
            v = Long.parseLong(f.startsWith("+") ? f.substring(1) : f);
        } else {
            Double d = parseNumber(f);
            if (d == null || Math.abs(d) > 9.2e18) {
                InputError = true;
                return null;
            }
            v = Math.round(d);
        }
        if (v < min || v > max) {
            InputError = true;
            return null;
        }
        return v;
    }

    /** An INPUT field as a floating number; null (and InputError set) when it is not one. */
    public static Double inputReal(double maxMagnitude) {
        String f = nextInputField();
        if (f == null) return null;
        Double d = f.isEmpty() ? Double.valueOf(0) : parseNumber(f);
        if (d == null || Math.abs(d) > maxMagnitude) {
            InputError = true;
            return null;
        }
        return d;
    }

    public static Double parseNumber(String f) {
        if (!f.matches("[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([EeDd][+-]?[0-9]+)?")) return null;
        try {
            return Double.parseDouble(f.replace('D', 'E').replace('d', 'e'));
        } catch (NumberFormatException e) {
            return null;
        }
    }

    // The number of getInput() calls of the INPUT statement that called initInput, read from the
    // calling method's bytecode once per call site, so that a line with too many fields is refused
    // as well as one with too few. -1 when it cannot be told (then extra fields are ignored).
    private static int expectedInputItems() {
        StackWalker.StackFrame caller = StackWalker.getInstance(
                StackWalker.Option.RETAIN_CLASS_REFERENCE).walk(s -> s
                .filter(f -> f.getDeclaringClass() != KWC_Applet.class).findFirst().orElse(null));
        if (caller == null) return -1;
        String key = caller.getClassName() + '.' + caller.getMethodName()
                + caller.getDescriptor() + '@' + caller.getByteCodeIndex();
        Integer known = inputItemCounts.get(key);
        if (known != null) return known;
        int n;
        try {
            n = countGetInputCalls(caller.getDeclaringClass(), caller.getMethodName(),
                    caller.getDescriptor(), caller.getByteCodeIndex());
        } catch (IOException | RuntimeException e) {
            n = -1;
        }
        inputItemCounts.put(key, n);
        return n;
    }

    // Instruction lengths by opcode; 0 marks the variable-length ones (switches, wide).
    private static final String OPCODE_LENGTHS =
            "1111111111111111" + "2323322222111111" + "1111111111111111" + "1111112222211111"
            + "1111111111111111" + "1111111111111111" + "1111111111111111" + "1111111111111111"
            + "1111311111111111" + "1111111113333333" + "3333333332001111" + "1133333335532311"
            + "3311043355";

    static int countGetInputCalls(Class<?> owner, String method, String descriptor, int bci)
            throws IOException {
        String res = owner.getName().substring(owner.getName().lastIndexOf('.') + 1) + ".class";
        byte[] b;
        try (InputStream in = owner.getResourceAsStream(res)) {
            if (in == null) return -1;
            b = in.readAllBytes();
        }
        java.nio.ByteBuffer buf = java.nio.ByteBuffer.wrap(b);
        buf.position(8);
        int cpCount = buf.getShort() & 0xffff;
        String[] utf8 = new String[cpCount];
        int[] refA = new int[cpCount], refB = new int[cpCount];
        for (int i = 1; i < cpCount; i++) {
            int tag = buf.get() & 0xff;
            switch (tag) {
                case 1: {
                    int len = buf.getShort() & 0xffff;
                    byte[] s = new byte[len];
                    buf.get(s);
                    utf8[i] = new String(s, java.nio.charset.StandardCharsets.UTF_8);
                    break;
                }
                case 3: case 4: buf.getInt(); break;
                case 5: case 6: buf.getLong(); i++; break;
                case 7: case 8: case 16: case 19: case 20: refA[i] = buf.getShort() & 0xffff; break;
                case 9: case 10: case 11: case 12: case 17: case 18:
                    refA[i] = buf.getShort() & 0xffff;
                    refB[i] = buf.getShort() & 0xffff;
                    break;
                case 15: buf.get(); buf.getShort(); break;
                default: return -1;
            }
        }
        buf.getShort(); buf.getShort(); buf.getShort();
        int interfaces = buf.getShort() & 0xffff;
        buf.position(buf.position() + 2 * interfaces);
        int fields = buf.getShort() & 0xffff;
        for (int i = 0; i < fields; i++) skipMember(buf);
        int methods = buf.getShort() & 0xffff;
        for (int i = 0; i < methods; i++) {
            buf.getShort();
            String name = utf8[buf.getShort() & 0xffff];
            String desc = utf8[buf.getShort() & 0xffff];
            int attrs = buf.getShort() & 0xffff;
            for (int a = 0; a < attrs; a++) {
                String an = utf8[buf.getShort() & 0xffff];
                int len = buf.getInt();
                int end = buf.position() + len;
                if (an.equals("Code") && name.equals(method) && desc.equals(descriptor)) {
                    buf.getShort(); buf.getShort();
                    int codeLen = buf.getInt();
                    int start = buf.position();
                    return scanInputItems(b, start, codeLen, bci, utf8, refA, refB);
                }
                buf.position(end);
            }
        }
        return -1;
    }

    private static void skipMember(java.nio.ByteBuffer buf) {
        buf.getShort(); buf.getShort(); buf.getShort();
        int attrs = buf.getShort() & 0xffff;
        for (int a = 0; a < attrs; a++) {
            buf.getShort();
            int len = buf.getInt();
            buf.position(buf.position() + len);
        }
    }

    private static int scanInputItems(byte[] b, int start, int codeLen, int bci, String[] utf8,
            int[] refA, int[] refB) {
        int pc = bci;
        int count = 0;
        boolean first = true;
        while (pc < codeLen) {
            int op = b[start + pc] & 0xff;
            if (op >= OPCODE_LENGTHS.length()) return -1;
            int len = OPCODE_LENGTHS.charAt(op) - '0';
            if (len == 0) return -1;
            if (!first && op >= 0xb2 && op <= 0xb8) {
                int ref = ((b[start + pc + 1] & 0xff) << 8) | (b[start + pc + 2] & 0xff);
                String member = utf8[refA[refB[ref]]];
                if (op <= 0xb5 && "InputError".equals(member)) return count;
                if (op == 0xb6 && "getInput".equals(member)) count++;
            } else if (!first && ((op >= 0x99 && op <= 0xa8) || op >= 0xc6)) {
                return -1;
            }
            first = false;
            pc += len;
        }
        return -1;
    }
}
