import java.io.DataInputStream;
import java.io.FileInputStream;

/**
 * Reads an X window dump (xwd of a 24-bit TrueColor screen) and checks what a window showed:
 *   java XwdCheck.java FILE count RRGGBB MIN   at least MIN pixels of that colour
 *   java XwdCheck.java FILE differ RRGGBB RRGGBB   the shapes of the two colours' pixels differ
 *                                               (each taken from its bounding box), both present
 * Exit status 1 when the check fails.
 */
public class XwdCheck {
    static int width, height, bytesPerLine, bitsPerPixel, byteOrder;
    static byte[] data;

    static int pixel(int x, int y) {
        int at = y * bytesPerLine + x * (bitsPerPixel / 8);
        int b0 = data[at] & 255, b1 = data[at + 1] & 255, b2 = data[at + 2] & 255;
        return byteOrder == 0 ? (b2 << 16) | (b1 << 8) | b0 : (b0 << 16) | (b1 << 8) | b2;
    }

    public static void main(String[] a) throws Exception {
        try (DataInputStream in = new DataInputStream(new FileInputStream(a[0]))) {
            int[] h = new int[25];
            for (int i = 0; i < 25; i++) h[i] = in.readInt();
            int headerSize = h[0];
            width = h[4];
            height = h[5];
            byteOrder = h[7];
            bitsPerPixel = h[11];
            bytesPerLine = h[12];
            int colors = h[19];
            in.skipBytes(headerSize - 100 + colors * 12);
            data = in.readAllBytes();
        }
        boolean ok;
        if (a[1].equals("count")) {
            int want = Integer.parseInt(a[2], 16), min = Integer.parseInt(a[3]), n = 0;
            for (int y = 0; y < height; y++)
                for (int x = 0; x < width; x++) if (pixel(x, y) == want) n++;
            System.out.println(n + " pixels of " + a[2]);
            ok = n >= min;
        } else {
            String one = shape(Integer.parseInt(a[2], 16)), two = shape(Integer.parseInt(a[3], 16));
            System.out.println(a[2] + ":\n" + one + a[3] + ":\n" + two);
            ok = !one.isEmpty() && !two.isEmpty() && !one.equals(two);
        }
        System.exit(ok ? 0 : 1);
    }

    // The pixels of one colour within their bounding box, as rows of '#' and '.'.
    static String shape(int rgb) {
        int x1 = width, y1 = height, x2 = -1, y2 = -1;
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++)
                if (pixel(x, y) == rgb) {
                    x1 = Math.min(x1, x); y1 = Math.min(y1, y); x2 = Math.max(x2, x); y2 = Math.max(y2, y);
                }
        StringBuilder b = new StringBuilder();
        for (int y = y1; y <= y2; y++) {
            for (int x = x1; x <= x2; x++) b.append(pixel(x, y) == rgb ? '#' : '.');
            b.append('\n');
        }
        return b.toString();
    }
}
