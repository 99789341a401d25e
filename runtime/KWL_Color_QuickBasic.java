/** The 16-colour palette of QuickBasic; numbers outside 0 to 15 wrap around. */
public class KWL_Color_QuickBasic extends KWC_Color {
    static final int[] PALETTE = {
        0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA,
        0xAA5500, 0xAAAAAA, 0x555555, 0x5555FF, 0x55FF55, 0x55FFFF,
        0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF,
    };

    /** QBColorMode: selects this palette; the colours go back to their defaults. */
    public static void KW_QBColorMode() {
        KWC_Screen.setColorMode(new KWL_Color_QuickBasic());
    }

    public KWL_Color_QuickBasic() {
        super(PALETTE, "QuickBasic", 15);
    }
}
