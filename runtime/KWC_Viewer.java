import java.awt.BorderLayout;
import java.awt.Frame;
import java.awt.Label;
import java.awt.event.WindowAdapter;
import java.awt.event.WindowEvent;
import java.awt.image.BufferedImage;
import java.io.BufferedReader;
import java.io.File;
import java.io.FileInputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.InputStreamReader;
import java.io.PrintStream;
import java.lang.reflect.InvocationTargetException;
import java.net.URISyntaxException;
import java.nio.ByteBuffer;
import java.nio.charset.CharacterCodingException;
import java.nio.charset.Charset;
import java.nio.charset.CodingErrorAction;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.NoSuchFileException;
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
 *                         [--dump-text FILE|-] [--png FILE] [--trace]
 *                         [--diagnostics=default|gnu] PAGE.html
 * java -jar PROGRAM.jar [the same options]
 * </pre>
 *
 * Without PAGE the page is the class path resource named in the resource KWC_Viewer.page (a
 * program's JAR holds both); files the program loads by name are then looked up in the folder
 * holding the JAR.
 *
 * Exit status: 0 when the program ends, 1 on a runtime error, 124 on timeout, 2 for a bad command
 * line or page. A runtime error is reported on standard error as the message, then, when the line
 * map beside the program class (Program.lines, see LineMap) places it, the Corvel line number and
 * the line's text; --diagnostics=gnu makes that one line "SOURCE:LINE: error: MESSAGE". --trace
 * adds the Java stack trace of what stopped the program. The translator copies the viewer with its
 * KWC_Viewer$*.class files, so it may use nested classes.
 */
public class KWC_Viewer {
    static final int EXIT_OK = 0, EXIT_ERROR = 1, EXIT_USAGE = 2, EXIT_TIMEOUT = 124;
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

        /** The Corvel line of the innermost frame that the map places; 0 when there is none. */
        int lineOf(Throwable t, String javaFile) {
            List<Integer> lines = javaLinesOf(t, javaFile);
            return lines.isEmpty() ? 0 : corvelLine(lines.get(0));
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
    }

    /** Options of one run. */
    static final class Options {
        boolean headless, trace, gnu;
        String input, keys, dumpText, png, page;
        long timeoutMs = -1;
    }

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
                    try {
                        o.timeoutMs = Long.parseLong(value(args, ++i, a));
                    } catch (NumberFormatException e) {
                        throw new IllegalArgumentException("--timeout-ms needs a number of milliseconds");
                    }
                    break;
                case "-h": case "--help":
                    throw new IllegalArgumentException("");
                default:
                    if (a.startsWith("--diagnostics=")) {
                        o.gnu = diagnostics(a.substring("--diagnostics=".length()));
                        break;
                    }
                    if (a.startsWith("--") || o.page != null)
                        throw new IllegalArgumentException("unknown argument: " + a);
                    o.page = a;
            }
        }
        if (o.page == null && KWC_Viewer.class.getResource("/" + BUNDLED_PAGE) == null)
            throw new IllegalArgumentException("no page given");
        return o;
    }

    private static boolean diagnostics(String style) {
        switch (style) {
            case "gnu": return true;
            case "default": return false;
            default: throw new IllegalArgumentException("--diagnostics takes default or gnu, not: " + style);
        }
    }

    private static String value(String[] args, int i, String option) {
        if (i >= args.length) throw new IllegalArgumentException(option + " needs a value");
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

    private static final String USAGE = "usage: java -cp DIR KWC_Viewer [--headless] [--input FILE|-]"
            + " [--keys TEXT] [--timeout-ms N] [--dump-text FILE|-] [--png FILE] [--trace]"
            + " [--diagnostics=default|gnu] PAGE.html\n"
            + "       java -jar PROGRAM.jar [the same options, without PAGE.html]";

    /** The resource of a program's JAR naming its page, itself a resource of the JAR. */
    static final String BUNDLED_PAGE = "KWC_Viewer.page";

    private static volatile boolean finishing;
    private static volatile int exitCode = EXIT_OK;
    private static Frame frame;
    private static Label status;

    public static void main(String[] args) {
        Options o;
        try {
            o = parseArgs(args);
        } catch (IllegalArgumentException e) {
            if (!e.getMessage().isEmpty()) System.err.println("KWC_Viewer: " + e.getMessage());
            System.err.println(USAGE);
            System.exit(e.getMessage().isEmpty() ? EXIT_OK : EXIT_USAGE);
            return;
        }
        System.exit(run(o));
    }

    static int run(Options o) {
        if (o.headless) System.setProperty("java.awt.headless", "true");
        boolean noDisplay = o.headless || java.awt.GraphicsEnvironment.isHeadless();
        String pageName = o.page != null ? o.page : BUNDLED_PAGE;
        File pageFile;
        Page page;
        try {
            byte[] bytes;
            if (o.page != null) {
                pageFile = new File(o.page);
                bytes = Files.readAllBytes(pageFile.toPath());
            } else {
                // Run from a program's JAR: the page inside it, files loaded by name beside it.
                pageName = new String(resource(BUNDLED_PAGE), StandardCharsets.UTF_8).strip();
                if (pageName.isEmpty()) throw new IOException(BUNDLED_PAGE + " names no page");
                pageFile = new File(codeFolder(), pageName);
                bytes = resource(pageName);
            }
            page = parsePage(bytes);
        } catch (NoSuchFileException e) {
            System.err.println("KWC_Viewer: " + pageName + ": no such page");
            return EXIT_USAGE;
        } catch (IOException e) {
            System.err.println("KWC_Viewer: " + pageName + ": cannot read the page: " + e.getMessage());
            return EXIT_USAGE;
        }
        try {
            if (o.input != null) {
                KWC_Applet.setInputLines(new BufferedReader(new InputStreamReader(
                        o.input.equals("-") ? System.in : new FileInputStream(o.input),
                        StandardCharsets.UTF_8)));
            }
        } catch (IOException e) {
            System.err.println("KWC_Viewer: " + o.input + ": cannot read the input: " + e.getMessage());
            return EXIT_USAGE;
        }

        final int[] result = {-1};
        final Throwable[] thrown = {null};
        boolean screenMade = false;
        try {
            KWC_Applet.setup(page.width, page.height, page.params, pageFile, noDisplay);
            screenMade = true;
        } catch (OutOfMemoryError e) {
            // A screen too large for memory: the program's error, reported like any other.
            thrown[0] = e;
            result[0] = EXIT_ERROR;
        }
        if (o.keys != null) KWC_Applet.pushKeys(decodeKeys(o.keys));
        KWC_Applet made = null;
        Class<?> programClass = null;
        if (thrown[0] == null) try {
            // Loaded first and initialised by newInstance, so that an error of its static initial
            // values still leaves the class (and its line map) at hand.
            programClass = Class.forName(page.code, false, KWC_Viewer.class.getClassLoader());
            made = (KWC_Applet) programClass.getDeclaredConstructor().newInstance();
        } catch (InvocationTargetException | ExceptionInInitializerError e) {
            // The program's own initial values stopped it: a runtime error like any other.
            made = null;
            thrown[0] = e.getCause() != null ? e.getCause() : e;
            result[0] = EXIT_ERROR;
        } catch (ReflectiveOperationException | ClassCastException | LinkageError e) {
            System.err.println("KWC_Viewer: cannot load the program class " + page.code + ": " + e);
            return EXIT_USAGE;
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
                result[0] = EXIT_ERROR;
            }
        }, "program", PROGRAM_STACK_BYTES);
        program.setDaemon(true);

        if (!noDisplay && applet != null) openWindow(applet, page.code);
        long deadline = o.timeoutMs >= 0 ? System.currentTimeMillis() + o.timeoutMs : Long.MAX_VALUE;
        program.start();
        // Repaint about 60 times a second while the program runs; with no window, compose anyway so
        // that a run costs what it costs on screen.
        BufferedImage composed = null;
        while (true) {
            long left = deadline - System.currentTimeMillis();
            if (left <= 0) break;
            try {
                program.join(Math.min(left, 16));
            } catch (InterruptedException e) {
                break;
            }
            if (!program.isAlive()) break;
            try {
                if (noDisplay) composed = KWC_Screen.compose(composed);
                else refresh(applet);
            } catch (OutOfMemoryError e) {
                // No frame to spare: the program goes on, and the next frame tries again.
                composed = null;
            }
        }
        int code = program.isAlive() ? EXIT_TIMEOUT : result[0];
        String error = null;
        if (code == EXIT_ERROR) {
            LineMap map = LineMap.load(programClass);
            int line = map == null ? 0 : map.lineOf(thrown[0], javaFile(page.code));
            error = describe(thrown[0], page.code) + (line == 0 ? "" : " （第" + line + "行目）");
            if (screenMade) KWC_TextScreen.showError(error);
            for (String s : errorReport(thrown[0], page.code, map, o.gnu).split("\n")) System.err.println(s);
            if (o.trace) thrown[0].printStackTrace();
        } else if (code == EXIT_TIMEOUT) {
            System.err.println("KWC_Viewer: timeout after " + o.timeoutMs + " ms");
        }
        finishing = true;
        exitCode = code;
        // With no screen made there is nothing to write.
        int out = screenMade ? writeResults(o) : 0;
        if (out != 0) return out;
        if (!noDisplay && applet != null && code != EXIT_TIMEOUT) {
            refresh(applet);
            if (status != null) status.setText(code == EXIT_OK ? "プログラムが終了しました" : error);
            waitForClose();
        }
        return code;
    }

    /** One line for a runtime error of the program; it never names a Java class. */
    static String describe(Throwable t, String programClass) {
        return KWC_Applet.ERROR_PREFIX + KWC_Applet.errorMessage(t, programClass);
    }

    /**
     * What standard error shows for a runtime error: the message line, then, when the line map
     * places the error, "第N行目" and the Corvel line in angle brackets, then one line for each
     * line that called the one above, outermost last, naming the procedure it called; with gnu,
     * one line "SOURCE:N: error: MESSAGE" (without N when the map does not place it, the Java
     * file's name as SOURCE when there is no map) and a "SOURCE:N: note:" line for each caller.
     */
    static String errorReport(Throwable t, String code, LineMap map, boolean gnu) {
        String message = describe(t, code);
        List<Integer> frames = map == null ? List.of() : map.javaLinesOf(t, javaFile(code));
        int line = frames.isEmpty() ? 0 : map.corvelLine(frames.get(0));
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

    private static int writeResults(Options o) {
        if (o.dumpText != null) {
            String text = KWC_TextScreen.dumpText();
            if (o.dumpText.equals("-")) {
                PrintStream out = new PrintStream(System.out, true, StandardCharsets.UTF_8);
                out.print(text);
                out.flush();
            } else {
                try {
                    Files.writeString(new File(o.dumpText).toPath(), text, StandardCharsets.UTF_8);
                } catch (IOException e) {
                    System.err.println("KWC_Viewer: " + o.dumpText + ": cannot write: " + e.getMessage());
                    return EXIT_USAGE;
                }
            }
        }
        if (o.png != null) {
            try {
                ImageIO.write(KWC_Screen.compose(null), "png", new File(o.png));
            } catch (IOException e) {
                System.err.println("KWC_Viewer: " + o.png + ": cannot write: " + e.getMessage());
                return EXIT_USAGE;
            }
        }
        return 0;
    }

    private static void openWindow(KWC_Applet applet, String title) {
        frame = new Frame(title);
        status = new Label(" ");
        frame.setLayout(new BorderLayout());
        frame.add(applet, BorderLayout.CENTER);
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
        applet.requestFocus();
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
