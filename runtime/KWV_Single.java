/**
 * A SINGLE variable: the float value that generated code reads with Get() and writes with Set().
 * Storing an infinite value stops the program (overflow), storing NaN too (illegal call).
 */
public class KWV_Single {
    private float value;

    public KWV_Single() {}

    public KWV_Single(float v) {
        value = KWC_Applet.checkReal(v);
    }

    /** A DOUBLE value stored into a SINGLE variable is rounded to single precision. */
    public KWV_Single(double v) {
        value = KWC_Applet.checkReal((float) v);
    }

    public float Get() {
        return value;
    }

    /** Where Set, Next and INPUT store the value: an array element keeps it in its array. */
    protected void store(float v) {
        value = v;
    }

    public void Set(float v) {
        store(KWC_Applet.checkReal(v));
    }

    public boolean E(float v) {
        return Get() == v;
    }

    public boolean NE(float v) {
        return Get() != v;
    }

    public boolean L(float v) {
        return Get() < v;
    }

    public boolean LE(float v) {
        return Get() <= v;
    }

    public boolean G(float v) {
        return Get() > v;
    }

    public boolean GE(float v) {
        return Get() >= v;
    }

    /** Takes the next field of the INPUT line; a bad field leaves the value and sets InputError. */
    public void getInput() {
        Double v = KWC_Applet.inputReal(Float.MAX_VALUE);
        if (v != null) store(v.floatValue());
    }

    @Override
    public String toString() {
        return String.valueOf(Get());
    }
}
