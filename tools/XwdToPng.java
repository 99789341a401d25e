import java.awt.image.BufferedImage;
import java.io.DataInputStream;
import java.io.File;
import java.io.FileInputStream;
import javax.imageio.ImageIO;

/** java XwdToPng.java IN.xwd OUT.png: a window dump of a 24-bit TrueColor X screen, as a PNG. */
public class XwdToPng {
    public static void main(String[] a) throws Exception {
        int[] h = new int[25];
        byte[] data;
        try (DataInputStream in = new DataInputStream(new FileInputStream(a[0]))) {
            for (int i = 0; i < 25; i++) h[i] = in.readInt();
            in.skipBytes(h[0] - 100 + h[19] * 12);  // the rest of the header, then the colour map
            data = in.readAllBytes();
        }
        int width = h[4], height = h[5], lsbFirst = h[7] == 0 ? 1 : 0, step = h[11] / 8, line = h[12];
        BufferedImage image = new BufferedImage(width, height, BufferedImage.TYPE_INT_RGB);
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++) {
                int at = y * line + x * step;
                int b0 = data[at] & 255, b1 = data[at + 1] & 255, b2 = data[at + 2] & 255;
                image.setRGB(x, y, lsbFirst == 1 ? (b2 << 16) | (b1 << 8) | b0 : (b0 << 16) | (b1 << 8) | b2);
            }
        ImageIO.write(image, "png", new File(a[1]));
    }
}
