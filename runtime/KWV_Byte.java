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

    public void Set(byte v) {
        value = v;
    }

    /**
     * FOR's step to n, the increment as its type holds it: false, and the value kept, where the
     * step wrapped past the type's end (it moved the value against the step's sign).
     */
    public boolean Next(byte n, double step) {
        if (step > 0 ? n < value : step < 0 && n > value) return false;
        value = n;
        return true;
    }

    public boolean E(byte v) {
        return value == v;
    }

    public boolean NE(byte v) {
        return value != v;
    }

    public boolean L(byte v) {
        return value < v;
    }

    public boolean LE(byte v) {
        return value <= v;
    }

    public boolean G(byte v) {
        return value > v;
    }

    public boolean GE(byte v) {
        return value >= v;
    }

    /** Takes the next field of the INPUT line; a bad field leaves the value and sets InputError. */
    public void getInput() {
        Long v = KWC_Applet.inputInteger(Byte.MIN_VALUE, Byte.MAX_VALUE);
        if (v != null) value = v.byteValue();
    }

    @Override
    public String toString() {
        return String.valueOf(value);
    }
}
