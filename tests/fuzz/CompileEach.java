import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import javax.tools.JavaCompiler;
import javax.tools.ToolProvider;

/** Compiles each Java file of a list on its own, against the runtime; lists those javac rejects. */
public class CompileEach {
    public static void main(String[] args) throws Exception {
        String syslib = args[0];
        List<String> files = Files.readAllLines(Path.of(args[1]));
        JavaCompiler javac = ToolProvider.getSystemJavaCompiler();
        int failures = 0;
        for (String file : files) {
            if (file.isBlank()) continue;
            String dir = Path.of(file).getParent().toString();
            int status = javac.run(null, null, null, "-encoding", "UTF-8", "-nowarn", "-Xlint:none",
                    "-cp", syslib, "-d", dir, file);
            if (status != 0) {
                failures++;
                System.err.println("javac rejected " + file);
            }
        }
        System.out.println(files.size() + " compiled, " + failures + " rejected");
        System.exit(failures == 0 ? 0 : 1);
    }
}
