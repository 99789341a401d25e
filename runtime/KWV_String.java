/**
 * A STRING variable. Made with a length (new KWV_String(n)) it is a fixed-length string: it starts
 * as n blanks and every Set pads with blanks or cuts to n characters.
 */
public class KWV_String {
    private String value = "";
    private final int fixedLength;

    public KWV_String() {
        fixedLength = -1;
    }

    public KWV_String(String v) {
        fixedLength = -1;
        value = v == null ? "" : v;
    }

    public KWV_String(int length) {
        fixedLength = Math.max(0, length);
        value = " ".repeat(fixedLength);
    }

    public String Get() {
        return value;
    }

    public void Set(String v) {
        if (v == null) v = "";
        if (fixedLength >= 0) {
            int n = v.codePointCount(0, v.length());
            if (n > fixedLength) v = v.substring(0, v.offsetByCodePoints(0, fixedLength));
            else if (n < fixedLength) v = v + " ".repeat(fixedLength - n);
        }
        value = v;
    }

    public boolean E(String v) {
        return value.equals(v);
    }

    public boolean NE(String v) {
        return !value.equals(v);
    }

    public boolean L(String v) {
        return value.compareTo(v) < 0;
    }

    public boolean LE(String v) {
        return value.compareTo(v) <= 0;
    }

    public boolean G(String v) {
        return value.compareTo(v) > 0;
    }

    public boolean GE(String v) {
        return value.compareTo(v) >= 0;
    }

    /** Takes the next field of the INPUT line as it is (quotes removed). */
    public void getInput() {
        String f = KWC_Applet.nextInputField();
        if (f != null) Set(f);
    }

    @Override
    public String toString() {
        return value;
    }
}
