import java.awt.image.BufferedImage;
import java.awt.image.RGBImageFilter;

/** Makes one colour of an image transparent (the transparent images of LoadTransImg). */
public class KWC_TransFilter extends RGBImageFilter {
    private final int key;

    public KWC_TransFilter(int rgb) {
        key = rgb & 0xFFFFFF;
        canFilterIndexColorModel = true;
    }

    @Override
    public int filterRGB(int x, int y, int argb) {
        return (argb & 0xFFFFFF) == key ? argb & 0xFFFFFF : argb;
    }

    /** Applies the filter to every pixel of an ARGB image, in place. */
    public void apply(BufferedImage image) {
        int w = image.getWidth(), h = image.getHeight();
        int[] row = new int[w];
        for (int y = 0; y < h; y++) {
            image.getRGB(0, y, w, 1, row, 0, w);
            for (int x = 0; x < w; x++) row[x] = filterRGB(x, y, row[x]);
            image.setRGB(0, y, w, 1, row, 0, w);
        }
    }
}
