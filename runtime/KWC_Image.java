import java.awt.Graphics2D;
import java.awt.image.BufferedImage;
import java.awt.image.DataBufferInt;
import java.io.File;
import java.io.IOException;
import javax.imageio.ImageIO;

/**
 * An IMAGE value: an ARGB picture (empty until created or loaded) and, for transparent images,
 * the colour that is not drawn. As a variable it behaves like the value wrappers: Get() returns a
 * copy, Set() copies the pixels in.
 */
public class KWC_Image {
    BufferedImage image;
    int[] pixels = new int[0];
    int width, height;
    /** 0xRRGGBB that is left out when the image is drawn, or -1. */
    int transparent = -1;

    public KWC_Image() {}

    public KWC_Image(KWC_Image value) {
        Set(value);
    }

    public KWC_Image Get() {
        KWC_Image copy = new KWC_Image();
        copy.copyFrom(this);
        return copy;
    }

    public void Set(KWC_Image value) {
        if (value != this) copyFrom(value);
    }

    public int getWidth() {
        return width;
    }

    public int getHeight() {
        return height;
    }

    /** The pixel at (x, y) as 0xAARRGGBB (alpha 0 for transparent), or 0 outside. */
    public int getPixel(int x, int y) {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0;
        int p = pixels[y * width + x];
        return transparent != -1 && (p & 0xFFFFFF) == transparent ? p & 0xFFFFFF : p;
    }

    public BufferedImage bufferedImage() {
        return image;
    }

    private void copyFrom(KWC_Image other) {
        int key = other == null ? -1 : other.transparent;
        if (other == null || other.image == null) {
            allocate(0, 0, 0, key);
        } else {
            allocate(other.width, other.height, 0, key);
            System.arraycopy(other.pixels, 0, pixels, 0, pixels.length);
        }
    }

    void allocate(int w, int h) {
        allocate(w, h, 0, transparent);
    }

    /**
     * Gives the image a new size, every pixel `fill` (ARGB), and its transparent colour. The
     * composer draws a shown sprite's image on another thread: size, pixels and colour change
     * together under the screen's lock, so it never sees pixels of one size with another width.
     */
    void allocate(int w, int h, int fill, int key) {
        int nw = Math.max(0, w), nh = Math.max(0, h);
        BufferedImage made = null;
        int[] data = new int[0];
        if (nw > 0 && nh > 0) {
            made = new BufferedImage(nw, nh, BufferedImage.TYPE_INT_ARGB);
            data = ((DataBufferInt) made.getRaster().getDataBuffer()).getData();
            if (fill != 0) java.util.Arrays.fill(data, fill);
        } else {
            nw = nh = 0;
        }
        synchronized (KWC_Screen.LOCK) {
            image = made;
            pixels = data;
            width = nw;
            height = nh;
            transparent = key;
        }
    }

    void adopt(BufferedImage loaded) {
        allocate(loaded.getWidth(), loaded.getHeight());
        Graphics2D g = image.createGraphics();
        g.drawImage(loaded, 0, 0, null);
        g.dispose();
        transparent = -1;
    }

    private static void checkSize(String what, long w, long h) {
        if (w < 1 || h < 1 || w * h > 64L * 1024 * 1024)
            throw KWC_Applet.runtimeError(KWC_Applet.E_IMAGE_SIZE, what, w, h);
    }

    /** CreateImg img, w, h: a new image of w x h pixels in the background colour. */
    public static void KW_createImg(KWC_Image img, int w, int h) {
        checkSize("CreateImg", w, h);
        img.allocate(w, h, 0xFF000000 | KWC_GraphicScreen.backgroundRGB(), -1);
    }

    /**
     * CreateTransImg img, w, h, colour: a new image whose pixels of that colour are not drawn;
     * it starts filled with it, so it starts see-through.
     */
    public static void KW_createTransImg(KWC_Image img, int w, int h, int color) {
        checkSize("CreateTransImg", w, h);
        int rgb = KWC_Screen.rgb(color);
        img.allocate(w, h, 0xFF000000 | rgb, rgb);
    }

    /** LoadImg file, img: reads a PNG, GIF or JPEG file, relative to the page's folder. */
    public static void KW_loadImg(String file, KWC_Image img) {
        img.adopt(read(file, "LoadImg"));
    }

    /** LoadTransImg file, img: like LoadImg; the colour of the top-left pixel is transparent. */
    public static void KW_loadTransImg(String file, KWC_Image img) {
        img.adopt(read(file, "LoadTransImg"));
        if (img.image != null) new KWC_TransFilter(img.pixels[0]).apply(img.image);
    }

    private static BufferedImage read(String file, String what) {
        File f = KWC_Applet.resolve(file);
        BufferedImage b;
        try {
            b = ImageIO.read(f);
        } catch (IOException | RuntimeException e) {
            throw KWC_Applet.runtimeError(KWC_Applet.E_IMAGE_UNREADABLE, what, file);
        }
        if (b == null) throw KWC_Applet.runtimeError(KWC_Applet.E_NOT_AN_IMAGE, what, file);
        return b;
    }

    /** CopyImg src, dst: dst becomes a copy of src. */
    public static void KW_copyImg(KWC_Image src, KWC_Image dst) {
        dst.Set(src);
    }

    /** CopyImg src, x1, y1, x2, y2, dst: dst becomes the block of src between the two corners. */
    public static void KW_copyImg(KWC_Image src, int x1, int y1, int x2, int y2, KWC_Image dst) {
        long lx = Math.min(x1, x2), ly = Math.min(y1, y2);
        long lw = Math.abs((long) x2 - x1) + 1, lh = Math.abs((long) y2 - y1) + 1;
        checkSize("CopyImg", lw, lh);
        int w = (int) lw, h = (int) lh;
        int[] block = new int[w * h];
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++) {
                long sx = lx + x, sy = ly + y;
                block[y * w + x] = sx >= 0 && sy >= 0 && sx < src.width && sy < src.height
                        ? src.pixels[(int) (sy * src.width + sx)] : 0;
            }
        int key = src.transparent;
        dst.allocate(w, h);
        System.arraycopy(block, 0, dst.pixels, 0, block.length);
        dst.transparent = key;
    }
}
