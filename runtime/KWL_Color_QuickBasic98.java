/** The 8 digital colours of the PC-98 (bit 0 blue, bit 1 red, bit 2 green); numbers outside 0 to 7 wrap around. */
public class KWL_Color_QuickBasic98 extends KWC_Color {
    static final int[] PALETTE = {
        0x000000, 0x0000FF, 0xFF0000, 0xFF00FF, 0x00FF00, 0x00FFFF,
        0xFFFF00, 0xFFFFFF,
    };

    /** QB98ColorMode: selects this palette; the colours go back to their defaults. */
    public static void KW_QB98ColorMode() {
        KWC_Screen.setColorMode(new KWL_Color_QuickBasic98());
    }

    public KWL_Color_QuickBasic98() {
        super(PALETTE, "QuickBasic98", 7);
    }
}
