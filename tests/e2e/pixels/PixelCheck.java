import java.awt.image.BufferedImage;
import java.io.File;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import javax.imageio.ImageIO;

/**
 * Checks the screen of a graphics program against the expectations its source carries as remarks:
 *   ' PIXEL x y RRGGBB     the pixel has that colour
 *   ' PIXEL x y !RRGGBB    the pixel has any other colour
 *   ' INK x1 y1 x2 y2 RRGGBB   some pixel of the box (corners included) has that colour
 *   ' DIFFERENT x1 y1 x2 y2 w h   the w x h blocks at (x1,y1) and (x2,y2) differ somewhere
 * usage: java PixelCheck.java PROGRAM.txt SCREEN.png; exit status 1 when one fails.
 */
public class PixelCheck {
    public static void main(String[] args) throws Exception {
        BufferedImage png = ImageIO.read(new File(args[1]));
        int failures = 0, checks = 0;
        for (String line : Files.readAllLines(new File(args[0]).toPath(), StandardCharsets.UTF_8)) {
            String[] w = line.trim().split("\\s+");
            if (w.length < 5 || !w[0].equals("'")) continue;
            if (w[1].equals("PIXEL")) {
                int x = Integer.parseInt(w[2]), y = Integer.parseInt(w[3]);
                boolean not = w[4].startsWith("!");
                int want = Integer.parseInt(w[4].substring(not ? 1 : 0), 16);
                int got = png.getRGB(x, y) & 0xFFFFFF;
                checks++;
                if ((got == want) == not) {
                    System.out.printf("%s: pixel (%d,%d) is %06X, expected %s%06X%n", args[0], x, y, got,
                            not ? "anything but " : "", want);
                    failures++;
                }
            } else if (w[1].equals("DIFFERENT") && w.length >= 8) {
                int x1 = Integer.parseInt(w[2]), y1 = Integer.parseInt(w[3]);
                int x2 = Integer.parseInt(w[4]), y2 = Integer.parseInt(w[5]);
                int bw = Integer.parseInt(w[6]), bh = Integer.parseInt(w[7]);
                boolean differ = false;
                for (int y = 0; y < bh && !differ; y++)
                    for (int x = 0; x < bw && !differ; x++)
                        differ = png.getRGB(x1 + x, y1 + y) != png.getRGB(x2 + x, y2 + y);
                checks++;
                if (!differ) {
                    System.out.printf("%s: the blocks at (%d,%d) and (%d,%d) are alike%n", args[0], x1, y1, x2, y2);
                    failures++;
                }
            } else if (w[1].equals("INK") && w.length >= 7) {
                int x1 = Integer.parseInt(w[2]), y1 = Integer.parseInt(w[3]);
                int x2 = Integer.parseInt(w[4]), y2 = Integer.parseInt(w[5]);
                int want = Integer.parseInt(w[6], 16);
                boolean found = false;
                for (int y = y1; y <= y2 && !found; y++)
                    for (int x = x1; x <= x2 && !found; x++) found = (png.getRGB(x, y) & 0xFFFFFF) == want;
                checks++;
                if (!found) {
                    System.out.printf("%s: no pixel of %06X in (%d,%d)-(%d,%d)%n", args[0], want, x1, y1, x2, y2);
                    failures++;
                }
            }
        }
        if (checks == 0) {
            System.out.println(args[0] + ": no PIXEL or INK remarks");
            failures++;
        }
        System.exit(failures == 0 ? 0 : 1);
    }
}
