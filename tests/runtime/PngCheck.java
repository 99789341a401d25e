import java.awt.image.BufferedImage;
import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import javax.imageio.ImageIO;

/** PngCheck PICTURE.png PIXELS: every "x y RRGGBB" line of PIXELS must match the picture. */
public class PngCheck {
    public static void main(String[] args) throws IOException {
        BufferedImage img = ImageIO.read(new File(args[0]));
        int bad = 0;
        for (String line : Files.readAllLines(new File(args[1]).toPath())) {
            line = line.strip();
            if (line.isEmpty() || line.startsWith("#")) continue;
            String[] f = line.split("\\s+");
            int x = Integer.parseInt(f[0]), y = Integer.parseInt(f[1]);
            int want = Integer.parseInt(f[2], 16);
            int got = img.getRGB(x, y) & 0xFFFFFF;
            if (got != want) {
                System.out.printf("pixel (%d, %d) is %06X, expected %06X%n", x, y, got, want);
                bad++;
            }
        }
        System.exit(bad == 0 ? 0 : 1);
    }
}
