/**
 * A colour mode: how the colour numbers of a program map to 0xRRGGBB values. The natural and
 * browser-safe modes are always present; the palette modes come with the library classes that
 * select them.
 */
public abstract class KWC_Color {
    /** For a palette mode: its colours, its name and the number of its white; else null. */
    private final int[] palette;
    private final String paletteName;
    private final int paletteWhite;

    protected KWC_Color() {
        this(null, null, 0);
    }

    /** A palette mode: colour numbers index the palette, wrapping around its size. */
    protected KWC_Color(int[] palette, String name, int white) {
        this.palette = palette;
        this.paletteName = name;
        this.paletteWhite = white;
    }

    /** The 0xRRGGBB value drawn for a colour number. */
    public int toRGB(int code) {
        return lookup(palette, code);
    }

    /** The colour number that toRGB maps to rgb (the first such), or -1 when none does. */
    public int toCode(int rgb) {
        return indexOf(palette, rgb);
    }

    /** The mode's name, as ColorMode() returns it. */
    public String name() {
        return paletteName;
    }

    /** The colour number of white, the default foreground. */
    public int white() {
        return paletteWhite;
    }

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
