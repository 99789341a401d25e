import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;

/**
 * Prints every value of the oracle's file ("s BITS TEXT" / "d BITS TEXT") through the runtime's
 * number formatting and compares with the oracle's text.
 *
 * usage: java NumberCheck FILE
 */
public class NumberCheck {
    public static void main(String[] args) throws IOException {
        List<String> lines = Files.readAllLines(Path.of(args[0]), StandardCharsets.UTF_8);
        int wrong = 0;
        for (String line : lines) {
            String[] f = line.split(" ");
            String actual = f[0].equals("s")
                    ? KWC_TextScreen.formatSingle(Float.intBitsToFloat(Integer.parseUnsignedInt(f[1], 16)))
                    : KWC_TextScreen.formatDouble(Double.longBitsToDouble(Long.parseUnsignedLong(f[1], 16)));
            if (!actual.equals(f[2]) && ++wrong <= 20)
                System.out.println("FAIL " + f[0] + " " + f[1] + ": expected " + f[2] + ", got " + actual);
        }
        System.out.println((lines.size() - wrong) + " of " + lines.size() + " numbers as the oracle prints them");
        if (lines.isEmpty() || wrong > 0) System.exit(1);
    }
}
