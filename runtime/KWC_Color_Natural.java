/** Colour numbers are 0xRRGGBB values. */
public class KWC_Color_Natural extends KWC_Color {
    @Override
    public int toRGB(int code) {
        return code & 0xFFFFFF;
    }

    @Override
    public int toCode(int rgb) {
        return rgb & 0xFFFFFF;
    }

    @Override
    public String name() {
        return "Natural";
    }

    @Override
    public int white() {
        return 0xFFFFFF;
    }
}
