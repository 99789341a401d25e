import java.io.BufferedReader;
import java.io.File;
import java.io.FileInputStream;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.InputStreamReader;
import java.io.OutputStream;
import java.io.StringWriter;
import java.net.URL;
import java.net.URLClassLoader;
import java.net.StandardProtocolFamily;
import java.net.UnixDomainSocketAddress;
import java.nio.channels.Channels;
import java.nio.channels.FileChannel;
import java.nio.channels.FileLock;
import java.nio.channels.ServerSocketChannel;
import java.nio.channels.SocketChannel;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.StandardOpenOption;
import java.nio.file.attribute.BasicFileAttributes;
import java.util.Arrays;
import java.util.Comparator;
import java.util.List;
import java.util.concurrent.atomic.AtomicLong;
import java.util.stream.Stream;
import javax.tools.JavaCompiler;
import javax.tools.StandardJavaFileManager;
import javax.tools.ToolProvider;

/**
 * The compile service: one JVM that compiles translated programs with the JDK's own compiler
 * and runs them in the viewer, so that neither javac nor the viewer starts a JVM of its own.
 * It stays as long as its client wants, keeping the compiler loaded and compiled to machine
 * code, and runs each program in a class loader of its own over the program's folder: no
 * static state of the runtime outlives a run.
 *
 * <pre>
 * java -cp SYSLIB KWC_Service
 * </pre>
 *
 * Requests arrive one a line, fields separated by tabs, on file descriptor 3; replies leave on
 * file descriptor 4. Standard input, output and error stay the program's, as in the viewer.
 *
 * <pre>
 * compile DIR NAME RELEASE  compiles DIR/NAME.java as javac does in DIR (its class path and its
 *                           classes' folder): "compiled STATUS LENGTH", then LENGTH bytes of
 *                           what javac would have printed (UTF-8); STATUS 0 or javac's 1
 * run DIR ARG...            starts the viewer with ARG... in a loader over DIR; "ended STATUS"
 *                           with the viewer's exit status once the program has ended
 * stop                      stops the running program and its threads: "stopped"; its window
 *                           stays open, and the next program run shows in it
 * warm DIR NAME RELEASE     compiles DIR/NAME.java a few times into a folder of its own, in the
 *                           background, so that the compiler is compiled to machine code
 * </pre>
 *
 * The end of the requests ends the service, and whatever program runs.
 *
 * <pre>
 * java -cp SYSLIB KWC_Service --serve SOCKET [DIR NAME RELEASE]
 * </pre>
 *
 * The compile server `corvel --run` shares: compile requests as above, each answered on the
 * connection it came on, from a local socket. It warms up on DIR/NAME.java, and ends once no
 * request has come for a while, once SOCKET is gone, or at once when another server has it.
 */
public final class KWC_Service {
    private static final int WARM_ROUNDS = 4;
    private static final int EXIT_STOPPED = 143;
    private static final String M_NO_VIEWER =
            "ビューア: KWC_Viewer.class がないか壊れています。プログラムを翻訳し直してください";

    private final JavaCompiler compiler = ToolProvider.getSystemJavaCompiler();
    private final StandardJavaFileManager files =
            compiler.getStandardFileManager(null, null, StandardCharsets.UTF_8);
    private final OutputStream replies;
    private Run current;
    /** The window the last program showed in (a Frame), kept open for the next one; or null. */
    private Object window;
    /** Compiles asked for so far: the warming stops at the next. */
    private volatile int compiles;

    private KWC_Service(OutputStream replies) {
        this.replies = replies;
    }

    public static void main(String[] args) throws IOException {
        if (args.length >= 2 && args[0].equals("--serve")) {
            serveSocket(args);
            System.exit(0);
        }
        KWC_Service service = new KWC_Service(new FileOutputStream("/dev/fd/4"));
        try (BufferedReader requests = new BufferedReader(
                new InputStreamReader(new FileInputStream("/dev/fd/3"), StandardCharsets.UTF_8))) {
            for (String line; (line = requests.readLine()) != null; ) service.serve(line.split("\t", -1));
        }
        System.exit(0);
    }

    // A server that nobody asked anything for this long ends: the next command starts another.
    private static final long SERVER_IDLE_MS = 15 * 60 * 1000;
    private static final long SERVER_LOOK_MS = 5 * 1000;

    private static void serveSocket(String[] args) throws IOException {
        Path socket = Path.of(args[1]);
        Path lockPath = Path.of(args[1] + ".lock");
        try (FileChannel lockFile = FileChannel.open(lockPath, StandardOpenOption.CREATE, StandardOpenOption.WRITE);
                FileLock lock = lockFile.tryLock()) {
            if (lock == null) return;  // another server has the socket
            Files.deleteIfExists(socket);  // left by a server that did not end well
            try (ServerSocketChannel server = ServerSocketChannel.open(StandardProtocolFamily.UNIX)) {
                server.bind(UnixDomainSocketAddress.of(socket));
                Object bound = Files.readAttributes(socket, BasicFileAttributes.class).fileKey();
                KWC_Service service = new KWC_Service(null);
                AtomicLong last = new AtomicLong(System.currentTimeMillis());
                Thread watch = new Thread(() -> {
                    while (true) {
                        try {
                            Thread.sleep(SERVER_LOOK_MS);
                            Object now = Files.readAttributes(socket, BasicFileAttributes.class).fileKey();
                            boolean idle = System.currentTimeMillis() - last.get() > SERVER_IDLE_MS;
                            if (idle || !java.util.Objects.equals(bound, now)) break;
                        } catch (InterruptedException | IOException e) {
                            break;  // the socket is gone
                        }
                    }
                    try {
                        if (java.util.Objects.equals(bound, Files.readAttributes(socket, BasicFileAttributes.class).fileKey()))
                            Files.deleteIfExists(socket);
                    } catch (IOException e) {
                        // gone already
                    }
                    System.exit(0);
                }, "idle");
                watch.setDaemon(true);
                watch.start();
                if (args.length >= 5) service.serve(new String[] {"warm", args[2], args[3], args[4]});
                // One request a connection, each on a thread of its own: a client that stops
                // (Ctrl+Z) holds up nobody else. The compiles take turns.
                while (true) {
                    SocketChannel client = server.accept();
                    Thread answer = new Thread(() -> answer(client, service, last), "client");
                    answer.setDaemon(true);
                    answer.start();
                }
            }
        }
    }

    private static void answer(SocketChannel client, KWC_Service service, AtomicLong last) {
        try (client) {
            BufferedReader in = new BufferedReader(
                    new InputStreamReader(Channels.newInputStream(client), StandardCharsets.UTF_8));
            String line = in.readLine();
            String[] request = line == null ? new String[] {""} : line.split("\t", -1);
            if (!request[0].equals("compile") || request.length != 4) return;
            byte[][] reply;
            synchronized (service) {
                // A compile that takes longer than the idle time is stuck: the server ends,
                // and its client has javac compile.
                last.set(System.currentTimeMillis());
                reply = service.compiled(request);
                last.set(System.currentTimeMillis());
            }
            OutputStream out = Channels.newOutputStream(client);
            for (byte[] part : reply) out.write(part);
            out.flush();
        } catch (IOException e) {
            // The client went.
        }
    }

    /** The reply to "compile DIR NAME RELEASE": its line, then what javac would have printed. */
    private byte[][] compiled(String[] request) {
        StringWriter out = new StringWriter();
        File dir = new File(request[1]);
        int status = compile(dir, request[2], request[3], dir, out);
        byte[] text = out.toString().getBytes(StandardCharsets.UTF_8);
        return new byte[][] {("compiled\t" + status + "\t" + text.length + "\n").getBytes(StandardCharsets.UTF_8), text};
    }

    private void serve(String[] request) throws IOException {
        switch (request[0]) {
            case "compile":
                reply(compiled(request));
                break;
            case "run":
                stop();
                if (!Arrays.asList(request).contains("--headless")) startWindowSystem();
                current = new Run(new File(request[1]), Arrays.copyOfRange(request, 2, request.length));
                current.start();
                break;
            case "stop":
                stop();
                reply("stopped\n".getBytes(StandardCharsets.UTF_8));
                break;
            case "warm": {
                Thread warm = new Thread(() -> warm(new File(request[1]), request[2], request[3]), "warm");
                warm.setDaemon(true);
                warm.setPriority(Thread.MIN_PRIORITY);
                warm.start();
                break;
            }
            default:
                System.err.println("KWC_Service: " + request[0] + "?");
        }
    }

    // The window system's threads join the group of the thread that first uses it. Started here,
    // they are the service's, not the first program's, whose threads are stopped with it.
    private boolean windowSystem;

    private void startWindowSystem() {
        if (windowSystem) return;
        windowSystem = true;
        try {
            java.awt.EventQueue.invokeAndWait(() -> { });
        } catch (InterruptedException | java.lang.reflect.InvocationTargetException | java.awt.AWTError
                | UnsupportedOperationException e) {
            // No display: the program says so when it opens its window.
        }
    }

    private synchronized void reply(byte[]... parts) throws IOException {
        for (byte[] part : parts) replies.write(part);
        replies.flush();
    }

    /** javac's status for NAME.java in DIR, its classes written to OUT; its output into text. */
    private int compile(File dir, String name, String release, File out, StringWriter text) {
        compiles++;
        return compile(files, dir, name, release, out, text);
    }

    private int compile(StandardJavaFileManager files, File dir, String name, String release, File out,
            StringWriter text) {
        List<String> options = List.of("-encoding", "UTF-8", "--release", release, "-classpath", dir.getPath(),
                "-d", out.getPath());
        File source = new File(dir, name + ".java");
        boolean ok;
        try {
            ok = compiler.getTask(text, files, null, options, null, files.getJavaFileObjects(source)).call();
        } catch (RuntimeException e) {
            text.write(String.valueOf(e.getMessage()) + "\n");
            ok = false;
        }
        // javac, started in DIR, names the source as it was given it.
        String prefix = source.getPath().substring(0, source.getPath().length() - source.getName().length());
        String said = text.toString().replace(prefix + source.getName(), source.getName());
        text.getBuffer().setLength(0);
        text.write(said);
        return ok ? 0 : 1;
    }

    // With a file manager of its own, beside the requests' compiles, never in their way: it ends
    // at the first compile asked for.
    private void warm(File dir, String name, String release) {
        Path folder = null;
        int seen = compiles;
        try {
            folder = Files.createTempDirectory("corvel-warm");
            StandardJavaFileManager own = compiler.getStandardFileManager(null, null, StandardCharsets.UTF_8);
            for (int i = 0; i < WARM_ROUNDS && compiles == seen; i++)
                compile(own, dir, name, release, folder.toFile(), new StringWriter());
            own.close();
        } catch (IOException e) {
            // Only the speed of later compiles is lost.
        } finally {
            if (folder != null) removeTree(folder);
        }
    }

    private static void removeTree(Path folder) {
        try (Stream<Path> all = Files.walk(folder)) {
            all.sorted(Comparator.reverseOrder()).forEach(p -> p.toFile().delete());
        } catch (IOException e) {
            // A temporary folder left behind.
        }
    }

    private void stop() {
        if (current != null) {
            Object shown = current.halt();
            if (shown != null) window = shown;
        }
        current = null;
    }

    /** One program's run: its threads form a group of their own, stopped together when it is replaced. */
    private final class Run {
        private final ThreadGroup group = new ThreadGroup("program run");
        private final Thread thread;
        private volatile boolean halted;
        private URLClassLoader loader;

        Run(File dir, String[] args) {
            thread = new Thread(group, () -> {
                int status = 2;
                try {
                    loader = new URLClassLoader(new URL[] {dir.getAbsoluteFile().toURI().toURL()},
                            ClassLoader.getPlatformClassLoader());
                    Class<?> viewer = Class.forName("KWC_Viewer", true, loader);
                    if (window != null) viewer.getMethod("useWindow", Object.class).invoke(null, window);
                    status = (Integer) viewer.getMethod("runHere", String[].class).invoke(null, (Object) args);
                } catch (ReflectiveOperationException | IOException | LinkageError e) {
                    // A stopped program's ThreadDeath comes wrapped.
                    if (!halted) System.err.println(M_NO_VIEWER);
                } catch (ThreadDeath e) {
                    status = EXIT_STOPPED;
                } finally {
                    if (!halted) ended(status);
                }
            }, "viewer", 0);
        }

        // A thread of the window system's own, should one have started in the program's group
        // all the same: stopping it would leave the window system broken for every program after.
        private boolean windowSystemThread(Thread t) {
            String name = t.getName();
            return t.getClass().getName().startsWith("java.awt.") || name.startsWith("AWT-")
                    || name.startsWith("Java2D");
        }

        void start() {
            thread.start();
        }

        private void ended(int status) {
            try {
                reply(("ended\t" + status + "\n").getBytes(StandardCharsets.UTF_8));
            } catch (IOException e) {
                System.exit(0);  // the client is gone
            }
        }

        // Thread.stop is the one way to end a program's loop from outside: the runtime has no
        // place where it asks whether to go on. Its window stays open for the next program:
        // returned, or null when it had none.
        @SuppressWarnings({"deprecation", "removal"})
        Object halt() {
            halted = true;
            Object shown = null;
            try {
                if (loader != null) shown = Class.forName("KWC_Viewer", true, loader).getMethod("window").invoke(null);
            } catch (ReflectiveOperationException | LinkageError e) {
                // no window
            }
            // A program that has ended waits for its window: that wait ends at once. Only what
            // still runs is stopped by force, since a thread stopped in the midst of the window
            // system's work can leave its locks broken for every later program.
            thread.interrupt();
            try {
                thread.join(500);
                if (group.activeCount() > 0) {
                    Thread[] left = new Thread[group.activeCount() + 8];
                    int n = group.enumerate(left);
                    for (int i = 0; i < n; i++) {
                        if (!windowSystemThread(left[i])) left[i].stop();
                    }
                    thread.join(1000);
                }
                if (loader != null) loader.close();
            } catch (InterruptedException | IOException e) {
                // The loader goes with its classes.
            }
            return shown;
        }
    }
}
