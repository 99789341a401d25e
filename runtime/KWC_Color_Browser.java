/** Colour numbers are 0xRRGGBB values, each channel snapped to the browser-safe steps of 0x33. */
public class KWC_Color_Browser extends KWC_Color {
    static int snap(int channel) {
        return (channel + 0x19) / 0x33 * 0x33;
    }

    @Override
    public int toRGB(int code) {
        return snap((code >> 16) & 0xFF) << 16 | snap((code >> 8) & 0xFF) << 8 | snap(code & 0xFF);
    }

    @Override
    public int toCode(int rgb) {
        rgb &= 0xFFFFFF;
        return toRGB(rgb) == rgb ? rgb : -1;
    }

    @Override
    public String name() {
        return "Browser";
    }

    @Override
    public int white() {
        return 0xFFFFFF;
    }
}
