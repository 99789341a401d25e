/** A LONGLONG variable: the long value that generated code reads with Get() and writes with Set(). */
public class KWV_Longlong {
    private long value;

    public KWV_Longlong() {}

    public KWV_Longlong(long v) {
        value = v;
    }

    public long Get() {
        return value;
    }

    public void Set(long v) {
        value = v;
    }

    public boolean E(long v) {
        return value == v;
    }

    public boolean NE(long v) {
        return value != v;
    }

    public boolean L(long v) {
        return value < v;
    }

    public boolean LE(long v) {
        return value <= v;
    }

    public boolean G(long v) {
        return value > v;
    }

    public boolean GE(long v) {
        return value >= v;
    }

    /** Takes the next field of the INPUT line; a bad field leaves the value and sets InputError. */
    public void getInput() {
        Long v = KWC_Applet.inputInteger(Long.MIN_VALUE, Long.MAX_VALUE);
        if (v != null) value = v.longValue();
    }

    @Override
    public String toString() {
        return String.valueOf(value);
    }
}
