/**
 * A DOUBLE variable: the double value that generated code reads with Get() and writes with Set().
 * Storing an infinite value stops the program (overflow), storing NaN too (illegal call).
 */
public class KWV_Double {
    private double value;

    public KWV_Double() {}

    public KWV_Double(double v) {
        value = KWC_Applet.checkReal(v);
    }

    public double Get() {
        return value;
    }

    /** Where Set, Next and INPUT store the value: an array element keeps it in its array. */
    protected void store(double v) {
        value = v;
    }

    public void Set(double v) {
        store(KWC_Applet.checkReal(v));
    }

    public boolean E(double v) {
        return Get() == v;
    }

    public boolean NE(double v) {
        return Get() != v;
    }

    public boolean L(double v) {
        return Get() < v;
    }

    public boolean LE(double v) {
        return Get() <= v;
    }

    public boolean G(double v) {
        return Get() > v;
    }

    public boolean GE(double v) {
        return Get() >= v;
    }

    /** Takes the next field of the INPUT line; a bad field leaves the value and sets InputError. */
    public void getInput() {
        Double v = KWC_Applet.inputReal(Double.MAX_VALUE);
        if (v != null) store(v.doubleValue());
    }

    @Override
    public String toString() {
        return String.valueOf(Get());
    }
}
