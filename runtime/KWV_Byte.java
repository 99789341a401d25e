/** A BYTE variable: the byte value that generated code reads with Get() and writes with Set(). */
public class KWV_Byte {
    private byte value;

    public KWV_Byte() {}

    public KWV_Byte(byte v) {
        value = v;
    }

    public byte Get() {
        return value;
    }

    /** Where Set, Next and INPUT store the value: an array element keeps it in its array. */
    protected void store(byte v) {
        value = v;
    }

    public void Set(byte v) {
        store(v);
    }

    /**
     * FOR's step to n, the increment as its type holds it: false, and the value kept, where the
     * step wrapped past the type's end (it moved the value against the step's sign).
     */
    public boolean Next(byte n, double step) {
        if (step > 0 ? n < Get() : step < 0 && n > Get()) return false;
        store(n);
        return true;
    }

    public boolean E(byte v) {
        return Get() == v;
    }

    public boolean NE(byte v) {
        return Get() != v;
    }

    public boolean L(byte v) {
        return Get() < v;
    }

    public boolean LE(byte v) {
        return Get() <= v;
    }

    public boolean G(byte v) {
        return Get() > v;
    }

    public boolean GE(byte v) {
        return Get() >= v;
    }

    /** Takes the next field of the INPUT line; a bad field leaves the value and sets InputError. */
    public void getInput() {
        Long v = KWC_Applet.inputInteger(Byte.MIN_VALUE, Byte.MAX_VALUE);
        if (v != null) store(v.byteValue());
    }

    @Override
    public String toString() {
        return String.valueOf(Get());
    }
}
