/** A LONG variable: the int value that generated code reads with Get() and writes with Set(). */
public class KWV_Long {
    private int value;

    public KWV_Long() {}

    public KWV_Long(int v) {
        value = v;
    }

    public int Get() {
        return value;
    }

    /** Where Set, Next and INPUT store the value: an array element keeps it in its array. */
    protected void store(int v) {
        value = v;
    }

    public void Set(int v) {
        store(v);
    }

    /**
     * FOR's step to n, the increment as its type holds it: false, and the value kept, where the
     * step wrapped past the type's end (it moved the value against the step's sign).
     */
    public boolean Next(int n, double step) {
        if (step > 0 ? n < Get() : step < 0 && n > Get()) return false;
        store(n);
        return true;
    }

    public boolean E(int v) {
        return Get() == v;
    }

    public boolean NE(int v) {
        return Get() != v;
    }

    public boolean L(int v) {
        return Get() < v;
    }

    public boolean LE(int v) {
        return Get() <= v;
    }

    public boolean G(int v) {
        return Get() > v;
    }

    public boolean GE(int v) {
        return Get() >= v;
    }

    /** Takes the next field of the INPUT line; a bad field leaves the value and sets InputError. */
    public void getInput() {
        Long v = KWC_Applet.inputInteger(Integer.MIN_VALUE, Integer.MAX_VALUE);
        if (v != null) store(v.intValue());
    }

    @Override
    public String toString() {
        return String.valueOf(Get());
    }
}
