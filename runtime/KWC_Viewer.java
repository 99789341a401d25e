import java.awt.AWTError;
import java.awt.BorderLayout;
import java.awt.Frame;
import java.awt.GraphicsEnvironment;
import java.awt.HeadlessException;
import java.awt.Label;
import java.awt.TextArea;
import java.awt.Toolkit;
import java.awt.event.WindowAdapter;
import java.awt.event.WindowEvent;
import java.io.BufferedReader;
import java.io.ByteArrayOutputStream;
import java.io.File;
import java.io.FileInputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.InputStreamReader;
import java.io.PrintStream;
import java.lang.reflect.InvocationTargetException;
import java.net.URISyntaxException;
import java.nio.ByteBuffer;
import java.nio.channels.FileChannel;
import java.nio.charset.CharacterCodingException;
import java.nio.charset.Charset;
import java.nio.charset.CodingErrorAction;
import java.nio.charset.StandardCharsets;
import java.nio.file.FileAlreadyExistsException;
import java.nio.file.Files;
import java.nio.file.NoSuchFileException;
import java.nio.file.Path;
import java.nio.file.StandardCopyOption;
import java.nio.file.StandardOpenOption;
import java.security.CodeSource;
import java.util.ArrayList;
import java.util.Collections;
import java.util.HashMap;
import java.util.IdentityHashMap;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Locale;
import java.util.Map;
import java.util.Set;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import javax.imageio.ImageIO;

/**
 * Runs a translated program from its page:
 *
 * <pre>
 * java -cp DIR KWC_Viewer [--headless] [--input FILE|-] [--keys TEXT] [--timeout-ms N]
 *                         [--dump-text FILE|-] [--png FILE] [--scale N] [--trace]
 *                         [--diagnostics=default|gnu] PAGE.html
 * java -jar PROGRAM.jar [the same options]
 * </pre>
 *
 * Without PAGE the page is the class path resource named in the resource KWC_Viewer.page (a
 * program's JAR holds both); files the program loads by name are then looked up in the folder
 * holding the JAR.
 *
 * Exit status: 0 when the program ends, 1 when a runtime error stops it, 124 on timeout, 2 when
 * the program cannot start (a bad command line, no such page, a missing or damaged class, no
 * display for a window) or what --png or --dump-text name cannot be written: never the
 * program's fault. A runtime error is reported on standard error as the message, then, when the
 * line map beside the program class (Program.lines, see LineMap) places it, the Corvel line
 * number and the line's text; --diagnostics=gnu makes that one line "SOURCE:LINE: error:
 * MESSAGE". Every other failure is one line after PREFIX. Neither names a Java class; --trace
 * adds the Java stack trace of what stopped the program or the viewer. The translator copies the
 * viewer with its KWC_Viewer$*.class files, so it may use nested classes.
 */
public class KWC_Viewer {
    static final int EXIT_OK = 0, EXIT_ERROR = 1, EXIT_USAGE = 2, EXIT_TIMEOUT = 124, EXIT_STOPPED = 143;
    /** The program thread's stack: a one-parameter FUNCTION recursing some 100,000 calls deep. */
    static final long PROGRAM_STACK_BYTES = 256L << 20;

    /** What the page says: the class to run, its size, its PARAM values in page order. */
    static final class Page {
        String code;
        int width = 640, height = 400;
        final Map<String, String> params = new LinkedHashMap<>();
    }

    // A tag ends at the first ">" outside a quoted attribute value.
    private static final Pattern APPLET = Pattern.compile("<applet\\b((?:[^>\"']|\"[^\"]*\"|'[^']*')*)>",
            Pattern.CASE_INSENSITIVE);
    private static final Pattern PARAM = Pattern.compile("<param\\b((?:[^>\"']|\"[^\"]*\"|'[^']*')*)>",
            Pattern.CASE_INSENSITIVE);
    private static final Pattern ATTRIBUTE = Pattern.compile(
            "([A-Za-z_:][-A-Za-z0-9_:.]*)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))");

    static Map<String, String> attributes(String text) {
        Map<String, String> out = new LinkedHashMap<>();
        Matcher m = ATTRIBUTE.matcher(text);
        while (m.find()) {
            String v = m.group(2) != null ? m.group(2) : m.group(3) != null ? m.group(3) : m.group(4);
            out.putIfAbsent(m.group(1).toLowerCase(Locale.ROOT), unescape(v));
        }
        return out;
    }

    private static String unescape(String s) {
        return s.replace("&quot;", "\"").replace("&lt;", "<").replace("&gt;", ">")
                .replace("&#39;", "'").replace("&amp;", "&");
    }

    /** The bytes as UTF-8 text; throws when they are not valid UTF-8. */
    static String strictUtf8(byte[] bytes) throws CharacterCodingException {
        return StandardCharsets.UTF_8.newDecoder()
                .onMalformedInput(CodingErrorAction.REPORT)
                .onUnmappableCharacter(CodingErrorAction.REPORT)
                .decode(ByteBuffer.wrap(bytes)).toString();
    }

    /** Reads a page; the text is UTF-8 when it is valid UTF-8, else Shift_JIS (CP932). */
    static Page parsePage(byte[] bytes) throws IOException {
        String text;
        try {
            text = strictUtf8(bytes);
        } catch (CharacterCodingException e) {
            text = new String(bytes, Charset.forName("windows-31j"));
        }
        Matcher applet = APPLET.matcher(text);
        if (!applet.find()) throw new IOException("no <applet> tag");
        Page page = new Page();
        Map<String, String> a = attributes(applet.group(1));
        String code = a.get("code");
        if (code == null || code.isBlank()) throw new IOException("the <applet> tag has no code");
        page.code = code.endsWith(".class") ? code.substring(0, code.length() - 6) : code;
        page.width = number(a.get("width"), 640);
        page.height = number(a.get("height"), 400);
        Matcher p = PARAM.matcher(text);
        while (p.find()) {
            Map<String, String> pa = attributes(p.group(1));
            if (pa.containsKey("name")) page.params.put(pa.get("name"), pa.getOrDefault("value", ""));
        }
        return page;
    }

    private static int number(String s, int fallback) {
        try {
            return s == null ? fallback : Integer.parseInt(s.trim());
        } catch (NumberFormatException e) {
            return fallback;
        }
    }

    /**
     * The line map the translator writes beside Program.java as Program.lines (UTF-8, lines ending
     * in LF): "corvel-lines 1", "source NAME" (the Corvel file), "java N" and N lines each holding
     * the Corvel line number that Java line came from (0 for none), "text M" and M lines "NUMBER",
     * TAB, the Corvel line's text, for each Corvel line named above, once, ascending.
     */
    static final class LineMap {
        private static final Pattern NUMBER = Pattern.compile("[0-9]{1,9}");
        final String source;
        private final int[] corvelLines;
        private final Map<Integer, String> texts;

        private LineMap(String source, int[] corvelLines, Map<Integer, String> texts) {
            this.source = source;
            this.corvelLines = corvelLines;
            this.texts = texts;
        }

        /** The map the bytes hold, or null when they are not a well-formed map. */
        static LineMap parse(byte[] bytes) {
            String text;
            try {
                text = strictUtf8(bytes);
            } catch (CharacterCodingException e) {
                return null;
            }
            if (text.endsWith("\n")) text = text.substring(0, text.length() - 1);
            String[] lines = text.split("\n", -1);
            if (lines.length < 4 || !lines[0].equals("corvel-lines 1") || !lines[1].startsWith("source ")
                    || lines[1].length() == 7 || !lines[2].startsWith("java "))
                return null;
            int n = number(lines[2].substring(5));
            if (n < 0 || 4 + n > lines.length || !lines[3 + n].startsWith("text ")) return null;
            int[] map = new int[n];
            for (int i = 0; i < n; i++)
                if ((map[i] = number(lines[3 + i])) < 0) return null;
            int m = number(lines[3 + n].substring(5));
            if (m < 0 || 4 + n + m != lines.length) return null;
            Map<Integer, String> texts = new HashMap<>();
            int last = 0;
            for (int i = 4 + n; i < lines.length; i++) {
                int tab = lines[i].indexOf('\t');
                int line = tab < 0 ? -1 : number(lines[i].substring(0, tab));
                if (line <= last) return null;
                texts.put(line, lines[i].substring(tab + 1));
                last = line;
            }
            for (int line : map)
                if (line != 0 && !texts.containsKey(line)) return null;
            return new LineMap(lines[1].substring(7), map, texts);
        }

        private static int number(String s) {
            return NUMBER.matcher(s).matches() ? Integer.parseInt(s) : -1;
        }

        /** The map beside the program class, found through its class loader; null when absent or bad. */
        static LineMap load(Class<?> programClass) {
            try (InputStream in = programClass.getResourceAsStream(programClass.getSimpleName() + ".lines")) {
                return in == null ? null : parse(in.readAllBytes());
            } catch (IOException | RuntimeException e) {
                return null;
            }
        }

        /**
         * The Java lines of javaFile's frames that the map places, innermost first, of t or else of
         * the first of its causes that has one (errors are mostly thrown inside runtime classes):
         * the line that stopped the program, then each line that called the one before.
         */
        List<Integer> javaLinesOf(Throwable t, String javaFile) {
            List<Integer> found = new ArrayList<>();
            Set<Throwable> seen = Collections.newSetFromMap(new IdentityHashMap<>());
            for (; t != null && found.isEmpty() && seen.add(t); t = t.getCause()) {
                for (StackTraceElement f : t.getStackTrace()) {
                    int j = f.getLineNumber();
                    if (javaFile.equals(f.getFileName()) && j >= 1 && j <= corvelLines.length
                            && corvelLines[j - 1] != 0)
                        found.add(j);
                }
            }
            return found;
        }

        /** The Corvel line of the first of the Java lines javaLinesOf found; 0 when there is none. */
        int firstLine(List<Integer> javaLines) {
            return javaLines.isEmpty() ? 0 : corvelLine(javaLines.get(0));
        }

        int corvelLine(int javaLine) {
            return corvelLines[javaLine - 1];
        }

        /**
         * "SUB NAME" or "FUNCTION NAME" of the procedure that Java line javaLine is in, null in the
         * main program. A procedure's method begins at a line mapped to its SUB or FUNCTION line,
         * and every method follows the main program's.
         */
        String procedureOf(int javaLine) {
            for (int j = javaLine; j >= 1; j--) {
                String text = corvelLines[j - 1] == 0 ? null : texts.get(corvelLines[j - 1]);
                Matcher m = text == null ? null : PROCEDURE.matcher(text);
                if (m != null && m.lookingAt()) return m.group(1).toUpperCase(Locale.ROOT) + " " + m.group(2);
            }
            return null;
        }

        private static final Pattern PROCEDURE = Pattern.compile(
                "\\s*(SUB|FUNCTION)\\s+([A-Za-z_][A-Za-z0-9_.]*[$%&!#]*)", Pattern.CASE_INSENSITIVE);

        String text(int line) {
            return texts.get(line);
        }

        /**
         * The line that sets the page's size or its number of pages (the map holds the OPTION
         * lines), else the first line it holds: where a page too large for memory is reported.
         */
        int pageLine() {
            int first = Integer.MAX_VALUE, option = Integer.MAX_VALUE;
            for (Map.Entry<Integer, String> e : texts.entrySet()) {
                first = Math.min(first, e.getKey());
                if (PAGE_OPTION.matcher(e.getValue()).lookingAt()) option = Math.min(option, e.getKey());
            }
            return option != Integer.MAX_VALUE ? option : first != Integer.MAX_VALUE ? first : 0;
        }

        private static final Pattern PAGE_OPTION = Pattern.compile(
                "\\s*OPTION\\s+(APPLET(WIDTH|HEIGHT|PAGE)|RESERVED(WIDTH|HEIGHT))\\b", Pattern.CASE_INSENSITIVE);
    }

    /** Options of one run. */
    static final class Options {
        boolean headless, trace, gnu;
        String input, keys, dumpText, png, page;
        long timeoutMs = -1;
        /** Window pixels per page pixel; 0 picks one that fits the display. */
        int scale;
    }

    /** The most --scale takes: a 640 x 400 page at 8 fills a large display already. */
    static final int MAX_SCALE = 8;

    static Options parseArgs(String[] args) {
        Options o = new Options();
        for (int i = 0; i < args.length; i++) {
            String a = args[i];
            switch (a) {
                case "--headless": o.headless = true; break;
                case "--trace": o.trace = true; break;
                case "--diagnostics": o.gnu = diagnostics(value(args, ++i, a)); break;
                case "--input": o.input = value(args, ++i, a); break;
                case "--keys": o.keys = value(args, ++i, a); break;
                case "--dump-text": o.dumpText = value(args, ++i, a); break;
                case "--png": o.png = value(args, ++i, a); break;
                case "--timeout-ms":
                    o.timeoutMs = number(value(args, ++i, a), 0, Long.MAX_VALUE,
                            "--timeout-ms には 0 以上のミリ秒の数を指定してください");
                    break;
                case "--scale":
                    o.scale = (int) number(value(args, ++i, a), 1, MAX_SCALE,
                            "--scale には 1 から " + MAX_SCALE + " までの整数を指定してください");
                    break;
                case "-h": case "--help":
                    throw new IllegalArgumentException("");
                default:
                    if (a.startsWith("--diagnostics=")) {
                        o.gnu = diagnostics(a.substring("--diagnostics=".length()));
                        break;
                    }
                    if (a.startsWith("--") || o.page != null)
                        throw new IllegalArgumentException(String.format("知らない引数です: %s", a));
                    o.page = a;
            }
        }
        if (o.page == null && KWC_Viewer.class.getResource("/" + BUNDLED_PAGE) == null)
            throw new IllegalArgumentException("開くページ（PROGRAM.html）を指定してください");
        return o;
    }

    private static long number(String text, long min, long max, String message) {
        try {
            long n = Long.parseLong(text);
            if (n >= min && n <= max) return n;
        } catch (NumberFormatException e) {
            // refused below
        }
        throw new IllegalArgumentException(message);
    }

    private static boolean diagnostics(String style) {
        switch (style) {
            case "gnu": return true;
            case "default": return false;
            default: throw new IllegalArgumentException(
                    String.format("--diagnostics には default か gnu を指定してください（%s ではなく）", style));
        }
    }

    private static String value(String[] args, int i, String option) {
        if (i >= args.length) throw new IllegalArgumentException(String.format("%s には値が必要です", option));
        return args[i];
    }

    /** Keys of --keys: the text as typed; \n or \r is Enter, \e Escape, \b Backspace, \\ a backslash. */
    static String decodeKeys(String s) {
        StringBuilder sb = new StringBuilder();
        for (int i = 0; i < s.length(); i++) {
            char c = s.charAt(i);
            if (c == '\\' && i + 1 < s.length()) {
                char n = s.charAt(++i);
                switch (n) {
                    case 'n': case 'r': sb.append('\r'); break;
                    case 'e': sb.append('\u001b'); break;
                    case 'b': sb.append('\b'); break;
                    case 't': sb.append('\t'); break;
                    default: sb.append(n);
                }
            } else {
                sb.append(c);
            }
        }
        return sb.toString();
    }

    private static final String USAGE = "使い方: java -cp DIR KWC_Viewer [--headless] [--input FILE|-]"
            + " [--keys TEXT] [--timeout-ms N] [--dump-text FILE|-] [--png FILE] [--scale N] [--trace]"
            + " [--diagnostics=default|gnu] PAGE.html\n"
            + "        java -jar PROGRAM.jar [同じオプション。PAGE.html は付けません]\n"
            + "終了コード: 0 プログラムが終わった、1 実行時エラー、2 オプションの誤りかプログラムを始められない、"
            + "124 時間切れ";

    // The viewer's own messages, each one line after PREFIX (those of the options are beside
    // them): about the page, the classes, the display and the files it writes; never about the
    // program's own errors.
    static final String PREFIX = "ビューア: ";
    static final String M_NO_SUCH_PAGE = "%s: そのページはありません";
    static final String M_PAGE_UNREADABLE = "%s: ページを読み込めません";
    static final String M_NOT_A_PAGE = "%s: プログラムのページではありません（<applet code=...> の行がありません）";
    static final String M_INPUT_UNREADABLE = "%s: --input のファイルを読み込めません";
    static final String M_CLASS_MISSING = "%s.class がありません。プログラムを翻訳し直してください";
    static final String M_CLASS_DAMAGED =
            "%s.class が壊れているか、この Java では読めません。プログラムを翻訳し直してください";
    static final String M_CLASS_DAMAGED_UNNAMED =
            "実行に必要なクラスファイルが壊れているか、この Java では読めません。プログラムを翻訳し直してください";
    static final String M_NO_DISPLAY =
            "ウィンドウを開く画面がありません（%s）。画面なしで動かすには --headless を付けてください";

    /** The resource of a program's JAR naming its page, itself a resource of the JAR. */
    static final String BUNDLED_PAGE = "KWC_Viewer.page";

    private static volatile boolean finishing;
    private static volatile int exitCode = EXIT_OK;
    private static Frame frame;
    // The compile service's window of the program before, still open: reused by openWindow.
    private static Frame kept;
    private static Label status;

    public static void main(String[] args) {
        System.exit(runHere(args));
    }

    /** What main does, short of ending the JVM: its exit status. The compile service's way in. */
    public static int runHere(String[] args) {
        Options o;
        try {
            o = parseArgs(args);
        } catch (IllegalArgumentException e) {
            if (!e.getMessage().isEmpty()) System.err.println(PREFIX + e.getMessage());
            System.err.println(USAGE);
            return e.getMessage().isEmpty() ? EXIT_OK : EXIT_USAGE;
        }
        try {
            return run(o);
        } catch (LinkageError e) {
            // A runtime class the viewer uses, missing or damaged.
            return cannotStart(classProblem(e, null), e, o);
        }
    }

    /** The program's window (a Frame), or null: the compile service shows the next program in it. */
    public static Object window() {
        return frame;
    }

    /** A window (a Frame) of an earlier program to show this one in, in place of a new one. */
    public static void useWindow(Object window) {
        kept = (Frame) window;
    }

    /** Says why the program could not start, in one line (and the trace with --trace). */
    private static int cannotStart(String message, Throwable cause, Options o) {
        System.err.println(PREFIX + message);
        if (o.trace && cause != null) cause.printStackTrace();
        return EXIT_USAGE;
    }

    /**
     * The line for a class that could not be loaded: missing, or damaged (or made for a newer
     * Java); it names the class when Java's own text does.
     */
    static String classProblem(Throwable t, String programClass) {
        String text = String.valueOf(t.getMessage());
        String names = "\\bKW[A-Z]_\\w+"
                + (programClass == null ? "" : "|\\b" + Pattern.quote(programClass) + "\\b");
        Matcher m = Pattern.compile(names).matcher(text);
        if (!m.find()) return M_CLASS_DAMAGED_UNNAMED;
        boolean missing = t instanceof ClassNotFoundException
                || (t instanceof NoClassDefFoundError && !text.startsWith("Could not initialize"));
        return String.format(missing ? M_CLASS_MISSING : M_CLASS_DAMAGED, m.group());
    }

    /** Whether t is a class that could not be loaded rather than an error of the program. */
    static boolean isClassProblem(Throwable t) {
        return t instanceof LinkageError && !(t instanceof ExceptionInInitializerError);
    }

    static int run(Options o) {
        if (o.headless) System.setProperty("java.awt.headless", "true");
        String pageName = o.page != null ? o.page : BUNDLED_PAGE;
        File pageFile;
        byte[] bytes;
        try {
            if (o.page != null) {
                pageFile = new File(o.page);
                bytes = Files.readAllBytes(pageFile.toPath());
            } else {
                // Run from a program's JAR: the page inside it, files loaded by name beside it.
                pageName = new String(resource(BUNDLED_PAGE), StandardCharsets.UTF_8).strip();
                if (pageName.isEmpty()) throw new NoSuchFileException(BUNDLED_PAGE);
                pageFile = new File(codeFolder(), pageName);
                bytes = resource(pageName);
            }
        } catch (NoSuchFileException e) {
            return cannotStart(String.format(M_NO_SUCH_PAGE, pageName), e, o);
        } catch (IOException e) {
            return cannotStart(String.format(M_PAGE_UNREADABLE, pageName), e, o);
        }
        Page page;
        try {
            page = parsePage(bytes);
        } catch (IOException e) {
            return cannotStart(String.format(M_NOT_A_PAGE, pageName), e, o);
        }
        for (String[] out : new String[][] {{"--png", o.png}, {"--dump-text", o.dumpText}}) {
            String problem = outputProblem(out[0], out[1]);
            if (problem != null) return cannotStart(problem, null, o);
        }
        int scale = 1;
        if (!o.headless) {
            java.awt.Dimension screen = screenSize();
            if (screen == null) {
                String display = System.getenv("DISPLAY");
                String where = display == null ? "DISPLAY がありません" : "DISPLAY=" + display;
                return cannotStart(String.format(M_NO_DISPLAY, where), null, o);
            }
            scale = o.scale > 0 ? o.scale
                    : fittingScale(page.width, page.height, screen.width, screen.height);
        }
        try {
            if (o.input != null) {
                KWC_Applet.setInputLines(new BufferedReader(new InputStreamReader(
                        o.input.equals("-") ? System.in : new FileInputStream(o.input),
                        StandardCharsets.UTF_8)));
            }
        } catch (IOException e) {
            return cannotStart(String.format(M_INPUT_UNREADABLE, o.input), e, o);
        }

        // Loaded first and initialised by newInstance, so that an error of its static initial
        // values, or a page too large for memory, still leaves the class (and its line map) at hand.
        Class<?> programClass;
        try {
            programClass = Class.forName(page.code, false, KWC_Viewer.class.getClassLoader());
            if (!KWC_Applet.class.isAssignableFrom(programClass)) throw new ClassFormatError(page.code);
        } catch (ClassNotFoundException | LinkageError e) {
            return cannotStart(classProblem(e, page.code), e, o);
        }
        final int[] result = {-1};
        final Throwable[] thrown = {null};
        boolean screenMade = false;
        // Only what --dump-text shows is kept of the rows that scroll off the screen.
        KWC_TextScreen.keepScrolledRows(o.dumpText != null ? MAX_SCROLLED_ROWS : 0);
        KWC_Applet.setScale(scale);
        try {
            KWC_Applet.setup(page.width, page.height, page.params, pageFile, o.headless);
            screenMade = true;
        } catch (OutOfMemoryError | IllegalStateException e) {
            // A page too large for memory: the program's error, reported at its OPTION line.
            thrown[0] = e;
            result[0] = EXIT_ERROR;
        }
        if (o.keys != null) KWC_Applet.pushKeys(decodeKeys(o.keys));
        KWC_Applet made = null;
        if (thrown[0] == null) try {
            made = (KWC_Applet) programClass.getDeclaredConstructor().newInstance();
        } catch (InvocationTargetException | ExceptionInInitializerError e) {
            // The program's own initial values stopped it: a runtime error like any other.
            thrown[0] = e.getCause() != null ? e.getCause() : e;
            result[0] = isClassProblem(thrown[0]) ? EXIT_USAGE : EXIT_ERROR;
        } catch (ReflectiveOperationException | LinkageError e) {
            return cannotStart(classProblem(e, page.code), e, o);
        }
        final KWC_Applet applet = made;
        // A stack of its own, deep enough for recursion thousands of calls deep; a deeper one
        // stops the program with the runtime's error, not the viewer.
        Thread program = new Thread(null, () -> {
            if (applet == null) return;
            try {
                applet.run();
                result[0] = EXIT_OK;
            } catch (Throwable t) {
                thrown[0] = t;
                result[0] = isClassProblem(t) ? EXIT_USAGE : EXIT_ERROR;
            }
        }, "program", PROGRAM_STACK_BYTES);
        program.setDaemon(true);

        if (!o.headless && applet != null) openWindow(applet, page.code);
        long deadline = o.timeoutMs >= 0 ? System.currentTimeMillis() + o.timeoutMs : Long.MAX_VALUE;
        program.start();
        // Repaint about 60 times a second while the program runs. With no window nobody sees the
        // frames: they are composed once at the end, for --png and --dump-text only, so that the
        // program has the machine to itself (the first composition alone costs some 80 ms).
        while (true) {
            long left = deadline - System.currentTimeMillis();
            if (left <= 0) break;
            try {
                program.join(Math.min(left, 16));
            } catch (InterruptedException e) {
                // The compile service replaces the program: it stops it, and nothing is to be said.
                return EXIT_STOPPED;
            }
            if (!program.isAlive()) break;
            if (o.headless) continue;
            try {
                refresh(applet);
            } catch (OutOfMemoryError e) {
                // No frame to spare: the program goes on, and the next frame tries again.
            }
        }
        int code = program.isAlive() ? EXIT_TIMEOUT : result[0];
        String report = null;
        if (code == EXIT_USAGE) {
            report = PREFIX + classProblem(thrown[0], page.code);
            cannotStart(report.substring(PREFIX.length()), thrown[0], o);
        } else if (code == EXIT_ERROR) {
            LineMap map = LineMap.load(programClass);
            List<Integer> frames = map == null || !screenMade ? List.of()
                    : map.javaLinesOf(thrown[0], javaFile(page.code));
            // A page too large for memory stops the program before any line of it runs.
            int line = map == null ? 0 : screenMade ? map.firstLine(frames) : map.pageLine();
            String message = describe(thrown[0], page.code);
            if (screenMade) KWC_TextScreen.showError(message + (line == 0 ? "" : " （第" + line + "行目）"));
            report = errorReport(page.code, message, line, frames, map, o.gnu);
            System.err.println(report);
            if (o.trace) thrown[0].printStackTrace();
        } else if (code == EXIT_TIMEOUT) {
            System.err.println(PREFIX + String.format("%d ミリ秒たったので、プログラムを止めました", o.timeoutMs));
        }
        finishing = true;
        exitCode = code;
        // With no screen made there is nothing to write.
        int out = screenMade ? writeResults(o) : 0;
        if (out != 0) return out;
        if (!o.headless && applet != null && code != EXIT_TIMEOUT) {
            refresh(applet);
            if (report != null) showReport(report);
            else if (status != null) status.setText(code == EXIT_OK ? "プログラムが終了しました" : " ");
            waitForClose();
        }
        return code;
    }

    /**
     * The rows that scrolled off the screen which --dump-text shows at most: a program that
     * prints without end keeps some 20 MB of them; the dump's first line counts those left out.
     */
    static final int MAX_SCROLLED_ROWS = 100_000;

    /** One line for a runtime error of the program; it never names a Java class. */
    static String describe(Throwable t, String programClass) {
        return KWC_Applet.ERROR_PREFIX + KWC_Applet.errorMessage(t, programClass);
    }

    /** errorReport of what t says, at the line and with the callers the map finds in its frames. */
    static String errorReport(Throwable t, String code, LineMap map, boolean gnu) {
        List<Integer> frames = map == null ? List.of() : map.javaLinesOf(t, javaFile(code));
        int line = map == null ? 0 : map.firstLine(frames);
        return errorReport(code, describe(t, code), line, frames, map, gnu);
    }

    /**
     * What standard error shows for a runtime error: the message line, then, when the error has
     * a line (0: none), "第N行目" and the Corvel line in angle brackets, then one line for each
     * Java frame after the first (frames: the Java lines, innermost first) that called the one
     * before, outermost last, naming the procedure it called; with gnu, one line
     * "SOURCE:N: error: MESSAGE" (without N when there is no line, the Java file's name as SOURCE
     * when there is no map) and a "SOURCE:N: note:" line for each caller.
     */
    static String errorReport(String code, String message, int line, List<Integer> frames, LineMap map,
            boolean gnu) {
        StringBuilder out = new StringBuilder();
        if (gnu)
            out.append(map == null ? javaFile(code) : map.source + (line == 0 ? "" : ":" + line))
                    .append(": error: ").append(message);
        else
            out.append(line == 0 ? message : message + "\n第" + line + "行目\n    <" + map.text(line) + ">");
        // A deep recursion calls from the same line thousands of times: a run
        // of equal entries is one line with its count, and the chain is cut.
        String last = null;
        int repeats = 0, shown = 0;
        for (int i = 1; i <= frames.size(); i++) {
            String entry = null;
            if (i < frames.size()) {
                int caller = map.corvelLine(frames.get(i));
                String callee = map.procedureOf(frames.get(i - 1));
                String called = callee == null ? "" : " （" + callee + "）";
                entry = gnu ? map.source + ":" + caller + ": note: 呼び出し元" + called
                            : "呼び出し元: 第" + caller + "行目 <" + map.text(caller).strip() + ">" + called;
            }
            if (entry != null && entry.equals(last)) {
                repeats++;
                continue;
            }
            if (last != null && shown++ < MAX_CALLERS_SHOWN)
                out.append('\n').append(last).append(repeats > 1 ? " （" + repeats + " 回続きます）" : "");
            last = entry;
            repeats = 1;
        }
        if (shown > MAX_CALLERS_SHOWN)
            out.append('\n').append(gnu ? map.source + ": note: " : "")
                    .append("（ほか " + (shown - MAX_CALLERS_SHOWN) + " 件の呼び出し元）");
        return out.toString();
    }

    /** Enough callers to follow a program's own nesting; a runaway recursion shows its start. */
    private static final int MAX_CALLERS_SHOWN = 20;

    private static String javaFile(String code) {
        return code.substring(code.lastIndexOf('.') + 1) + ".java";
    }

    /** A resource at the root of the class path (of a program's JAR). */
    private static byte[] resource(String name) throws IOException {
        try (InputStream in = KWC_Viewer.class.getResourceAsStream("/" + name)) {
            if (in == null) throw new NoSuchFileException(name);
            return in.readAllBytes();
        }
    }

    /** The folder holding the JAR (or the class folder) the viewer came from; else the current one. */
    private static File codeFolder() {
        try {
            CodeSource source = KWC_Viewer.class.getProtectionDomain().getCodeSource();
            if (source != null && source.getLocation() != null) {
                File where = new File(source.getLocation().toURI()).getAbsoluteFile();
                File folder = where.isDirectory() ? where : where.getParentFile();
                if (folder != null) return folder;
            }
        } catch (URISyntaxException | IllegalArgumentException | SecurityException e) {
            // A location that is not a local file: fall back to the current folder.
        }
        return new File(".");
    }

    // Why what --png or --dump-text names (the option, then the path) is not written.
    static final String M_OUTPUT_IS_FOLDER = "%s %s: フォルダです。書き出すファイルの名前を指定してください";
    static final String M_OUTPUT_NO_FOLDER = "%s %s: 書き出す先のフォルダがありません";
    static final String M_OUTPUT_READ_ONLY = "%s %s: 書き出す先のフォルダに書き込めません";
    static final String M_OUTPUT_FAILED = "%s %s: 書き出せませんでした%s";
    static final String M_DISK_FULL = "（ディスクに空きがありません）";

    /**
     * Why the file an option names cannot be written, or null: checked before the program runs,
     * so that a long run does not end in a file that cannot be made. "-" is standard output.
     */
    static String outputProblem(String option, String path) {
        if (path == null || path.equals("-")) return null;
        File file = new File(path).getAbsoluteFile();
        File folder = file.getParentFile();
        if (file.isDirectory()) return String.format(M_OUTPUT_IS_FOLDER, option, path);
        if (folder == null || !folder.isDirectory()) return String.format(M_OUTPUT_NO_FOLDER, option, path);
        if (!Files.isWritable(folder.toPath())) return String.format(M_OUTPUT_READ_ONLY, option, path);
        return null;
    }

    /**
     * Writes bytes to path through a new file beside it, renamed over it once whole: a failure
     * (a full disk) leaves what was there before, and the rename never replaces a folder. Null
     * when written, else the line that says why not.
     */
    static String writeFile(String option, String path, byte[] bytes) {
        String problem = outputProblem(option, path);
        if (problem != null) return problem;
        Path target = new File(path).getAbsoluteFile().toPath();
        Path temporary = null;
        try {
            // Made new (never an existing file or a link followed), with the permissions any new
            // file of the user's gets.
            String name = "." + target.getFileName() + "." + ProcessHandle.current().pid() + ".tmp";
            temporary = target.resolveSibling(name);
            try (FileChannel out = FileChannel.open(temporary, StandardOpenOption.CREATE_NEW,
                    StandardOpenOption.WRITE)) {
                for (ByteBuffer b = ByteBuffer.wrap(bytes); b.hasRemaining(); ) out.write(b);
                out.force(true);
            }
            Files.move(temporary, target, StandardCopyOption.ATOMIC_MOVE, StandardCopyOption.REPLACE_EXISTING);
            return null;
        } catch (IOException e) {
            if (temporary != null && !(e instanceof FileAlreadyExistsException)) temporary.toFile().delete();
            boolean full = String.valueOf(e.getMessage()).contains("No space left");
            return String.format(M_OUTPUT_FAILED, option, path, full ? M_DISK_FULL : "");
        }
    }

    private static int writeResults(Options o) {
        String problem = null;
        if (o.dumpText != null) {
            String text = KWC_TextScreen.dumpText();
            if (o.dumpText.equals("-")) {
                PrintStream out = new PrintStream(System.out, true, StandardCharsets.UTF_8);
                out.print(text);
                out.flush();
            } else {
                problem = writeFile("--dump-text", o.dumpText, text.getBytes(StandardCharsets.UTF_8));
            }
        }
        if (o.png != null && problem == null) {
            ByteArrayOutputStream png = new ByteArrayOutputStream();
            try {
                ImageIO.write(KWC_Screen.compose(null), "png", png);
                problem = writeFile("--png", o.png, png.toByteArray());
            } catch (IOException e) {
                problem = String.format(M_OUTPUT_FAILED, "--png", o.png, "");
            }
        }
        if (problem == null) return 0;
        System.err.println(PREFIX + problem);
        return EXIT_USAGE;
    }

    /** The display's size, or null when there is none to open a window on. */
    static java.awt.Dimension screenSize() {
        try {
            return GraphicsEnvironment.isHeadless() ? null : Toolkit.getDefaultToolkit().getScreenSize();
        } catch (AWTError | HeadlessException | LinkageError e) {
            // LinkageError: a Java without its window libraries (a headless JRE)
            return null;
        }
    }

    /**
     * The largest whole factor, at most 3, at which the page takes no more than two thirds of
     * the display in each direction; 1 when even the page itself is larger. A whole factor keeps
     * every pixel a sharp square.
     */
    static int fittingScale(int width, int height, int screenWidth, int screenHeight) {
        int fit = Math.min(2 * screenWidth / (3 * Math.max(1, width)), 2 * screenHeight / (3 * Math.max(1, height)));
        return Math.max(1, Math.min(3, fit));
    }

    // The applet comes as an Object, so that checking this class needs no KWC_Applet: a missing
    // one is then reported by main, not by Java before main runs.
    private static void openWindow(Object applet, String title) {
        if (kept != null && kept.isDisplayable()) {
            // The window stays where the user put it; what the last program left in it goes.
            frame = kept;
            frame.removeAll();
            for (java.awt.event.WindowListener l : frame.getWindowListeners()) frame.removeWindowListener(l);
            frame.setTitle(title);
        } else {
            frame = new Frame(title);
        }
        status = new Label(" ");
        frame.setLayout(new BorderLayout());
        frame.add((java.awt.Component) applet, BorderLayout.CENTER);
        frame.add(status, BorderLayout.SOUTH);
        frame.setResizable(false);
        frame.addWindowListener(new WindowAdapter() {
            @Override
            public void windowClosing(WindowEvent e) {
                System.exit(exitCode);
            }
        });
        frame.pack();
        frame.setVisible(true);
        ((java.awt.Component) applet).requestFocus();
    }

    /**
     * Shows the report of what stopped the program under its picture, where the status line was,
     * with the lines that called it; the window keeps its width.
     */
    private static void showReport(String report) {
        if (frame == null) return;
        TextArea area = new TextArea(report, (int) Math.min(8, report.lines().count()), 1,
                TextArea.SCROLLBARS_VERTICAL_ONLY);
        area.setEditable(false);
        int width = frame.getWidth();
        frame.remove(status);
        frame.add(area, BorderLayout.SOUTH);
        frame.pack();
        frame.setSize(width, frame.getHeight());
        frame.validate();
    }

    private static void refresh(KWC_Applet applet) {
        applet.repaint();
        if (status != null && !finishing) {
            String s = KWC_Applet.statusText();
            if (!s.equals(status.getText())) status.setText(s.isEmpty() ? " " : s);
        }
    }

    private static void waitForClose() {
        while (frame != null && frame.isDisplayable()) {
            try {
                Thread.sleep(100);
            } catch (InterruptedException e) {
                return;
            }
        }
    }
}
