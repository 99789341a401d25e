import java.awt.Desktop;
import java.net.URI;

/** The page around the program: its PARAM values, its address, the browser, the status line. */
public class KWL_Browser {
    /**
     * OpenPage url: shows a page in the desktop's browser, if there is one; a relative address is
     * taken from the page's folder. Without a display nothing happens.
     */
    public static void KW_openPage(String url) {
        open(url);
    }

    /** OpenPage mode, url: the mode (the browser window to use) is not used. */
    public static void KW_openPage(short mode, String url) {
        open(url);
    }

    /** OpenPage url, target: the target window name is not used. */
    public static void KW_openPage(String url, String target) {
        open(url);
    }

    public static void KW_openPage(short mode, String url, String target) {
        open(url);
    }

    private static void open(String url) {
        if (KWC_Applet.isHeadless()) return;
        try {
            URI uri = new URI(url);
            if (!uri.isAbsolute()) uri = KWC_Applet.resolve(url).toURI();
            if (Desktop.isDesktopSupported() && Desktop.getDesktop().isSupported(Desktop.Action.BROWSE))
                Desktop.getDesktop().browse(uri);
        } catch (Exception e) {
            // no browser, or an address it refuses: nothing is shown
        }
    }

    /** The address of the page (a file: URL). */
    public static String KW_docURL() {
        return KWC_Applet.documentURL();
    }

    /** The value of the page's PARAM of that name (any case), "" when there is none. */
    public static String KW_param(String name) {
        KWC_Applet applet = KWC_Applet.current();
        String v = applet != null ? applet.getParameter(name) : null;
        return v == null ? "" : v;
    }

    /** Shows the text in the window's status line. */
    public static void KW_status(String text) {
        KWC_Applet.setStatusText(text);
    }
}
