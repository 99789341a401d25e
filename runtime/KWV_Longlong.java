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

    /** Where Set, Next and INPUT store the value: an array element keeps it in its array. */
    protected void store(long v) {
        value = v;
    }

    public void Set(long v) {
        store(v);
    }

    /**
     * FOR's step to n, the increment as its type holds it: false, and the value kept, where the
     * step wrapped past the type's end (it moved the value against the step's sign).
     */
    public boolean Next(long n, double step) {
        if (step > 0 ? n < Get() : step < 0 && n > Get()) return false;
        store(n);
        return true;
    }

    public boolean E(long v) {
        return Get() == v;
    }

    public boolean NE(long v) {
        return Get() != v;
    }

    public boolean L(long v) {
        return Get() < v;
    }

    public boolean LE(long v) {
        return Get() <= v;
    }

    public boolean G(long v) {
        return Get() > v;
    }

    public boolean GE(long v) {
        return Get() >= v;
    }

    /** Takes the next field of the INPUT line; a bad field leaves the value and sets InputError. */
    public void getInput() {
        Long v = KWC_Applet.inputInteger(Long.MIN_VALUE, Long.MAX_VALUE);
        if (v != null) store(v.longValue());
    }

    @Override
    public String toString() {
        return String.valueOf(Get());
    }
}
