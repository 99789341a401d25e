import java.io.ByteArrayOutputStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import javax.tools.JavaCompiler;
import javax.tools.ToolProvider;

/**
 * Compiles each Java file of a list on its own, in this one virtual machine, so that classes of
 * the same name in different folders never meet; lists those javac rejects.
 *   CompileEach SYSLIB LIST        against the runtime classes in SYSLIB (the mutants)
 *   CompileEach --own-folder LIST  against the classes beside each file, as the translator's own
 *                                  javac call does; javac's messages for a rejected DIR/NAME.java
 *                                  are also kept in DIR/NAME.javac-failed
 * The classes of each file go to its folder. Exit status 0 when javac took every file.
 */
public class CompileEach {
    public static void main(String[] args) throws Exception {
        boolean ownFolder = args[0].equals("--own-folder");
        List<String> files = Files.readAllLines(Path.of(args[1]));
        JavaCompiler javac = ToolProvider.getSystemJavaCompiler();
        int compiled = 0, failures = 0;
        for (String file : files) {
            if (file.isBlank()) continue;
            compiled++;
            Path dir = Path.of(file).toAbsolutePath().getParent();
            String classPath = ownFolder ? dir.toString() : args[0];
            ByteArrayOutputStream messages = new ByteArrayOutputStream();
            int status = javac.run(null, messages, messages, "-encoding", "UTF-8", "-nowarn", "-Xlint:none",
                    "-cp", classPath, "-d", dir.toString(), file);
            if (status != 0) {
                failures++;
                System.err.println("javac rejected " + file);
                System.err.print(messages);
                if (ownFolder) {
                    String name = Path.of(file).getFileName().toString().replaceFirst("\\.java$", "");
                    Files.write(dir.resolve(name + ".javac-failed"), messages.toByteArray());
                }
            }
        }
        System.out.println(compiled + " compiled, " + failures + " rejected");
        System.exit(failures == 0 ? 0 : 1);
    }
}
