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

    /**
     * FOR's step to n, the increment as its type holds it: false, and the value kept, where the
     * step wrapped past the type's end (it moved the value against the step's sign).
     */
    public boolean Next(long n, double step) {
        if (step > 0 ? n < value : step < 0 && n > value) return false;
        value = n;
        return true;
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
