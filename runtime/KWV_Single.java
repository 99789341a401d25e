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

    public void Set(float v) {
        value = KWC_Applet.checkReal(v);
    }

    public boolean E(float v) {
        return value == v;
    }

    public boolean NE(float v) {
        return value != v;
    }

    public boolean L(float v) {
        return value < v;
    }

    public boolean LE(float v) {
        return value <= v;
    }

    public boolean G(float v) {
        return value > v;
    }

    public boolean GE(float v) {
        return value >= v;
    }

    /** Takes the next field of the INPUT line; a bad field leaves the value and sets InputError. */
    public void getInput() {
        Double v = KWC_Applet.inputReal(Float.MAX_VALUE);
        if (v != null) value = v.floatValue();
    }

    @Override
    public String toString() {
        return String.valueOf(value);
    }
}
