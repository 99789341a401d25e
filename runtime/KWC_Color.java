/**
 * A colour mode: how the colour numbers of a program map to 0xRRGGBB values. The natural and
 * browser-safe modes are always present; the palette modes come with the library classes that
 * select them.
 */
public abstract class KWC_Color {
    /** The 0xRRGGBB value drawn for a colour number. */
    public abstract int toRGB(int code);

    /** The colour number that toRGB maps to rgb (the first such), or -1 when none does. */
    public abstract int toCode(int rgb);

    /** The mode's name, as ColorMode() returns it. */
    public abstract String name();

    /** The colour number of white, the default foreground. */
    public abstract int white();

    /** Palette helper: the index of rgb in palette, or -1. */
    protected static int indexOf(int[] palette, int rgb) {
        rgb &= 0xFFFFFF;
        for (int i = 0; i < palette.length; i++)
            if (palette[i] == rgb) return i;
        return -1;
    }

    /** Palette helper: a colour number outside the palette wraps around its size. */
    protected static int lookup(int[] palette, int code) {
        return palette[Math.floorMod(code, palette.length)];
    }
}
