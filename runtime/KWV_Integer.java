/** A INTEGER variable: the short value that generated code reads with Get() and writes with Set(). */
public class KWV_Integer {
    private short value;

    public KWV_Integer() {}

    public KWV_Integer(short v) {
        value = v;
    }

    public short Get() {
        return value;
    }

    /** Where Set, Next and INPUT store the value: an array element keeps it in its array. */
    protected void store(short v) {
        value = v;
    }

    public void Set(short v) {
        store(v);
    }

    /**
     * FOR's step to n, the increment as its type holds it: false, and the value kept, where the
     * step wrapped past the type's end (it moved the value against the step's sign).
     */
    public boolean Next(short n, double step) {
        if (step > 0 ? n < Get() : step < 0 && n > Get()) return false;
        store(n);
        return true;
    }

    public boolean E(short v) {
        return Get() == v;
    }

    public boolean NE(short v) {
        return Get() != v;
    }

    public boolean L(short v) {
        return Get() < v;
    }

    public boolean LE(short v) {
        return Get() <= v;
    }

    public boolean G(short v) {
        return Get() > v;
    }

    public boolean GE(short v) {
        return Get() >= v;
    }

    /** Takes the next field of the INPUT line; a bad field leaves the value and sets InputError. */
    public void getInput() {
        Long v = KWC_Applet.inputInteger(Short.MIN_VALUE, Short.MAX_VALUE);
        if (v != null) store(v.shortValue());
    }

    @Override
    public String toString() {
        return String.valueOf(Get());
    }
}
