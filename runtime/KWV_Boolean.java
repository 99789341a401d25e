/** A BOOLEAN variable. */
public class KWV_Boolean {
    private boolean value;

    public KWV_Boolean() {}

    public KWV_Boolean(boolean v) {
        value = v;
    }

    public boolean Get() {
        return value;
    }

    /** Where Set, Next and INPUT store the value: an array element keeps it in its array. */
    protected void store(boolean v) {
        value = v;
    }

    public void Set(boolean v) {
        store(v);
    }

    public boolean E(boolean v) {
        return Get() == v;
    }

    public boolean NE(boolean v) {
        return Get() != v;
    }

    public boolean L(boolean v) {
        return !Get() && v;
    }

    public boolean LE(boolean v) {
        return !Get() || v;
    }

    public boolean G(boolean v) {
        return Get() && !v;
    }

    public boolean GE(boolean v) {
        return Get() || !v;
    }

    /** Takes the next INPUT field: True/False (any case), or a number (0 is false). */
    public void getInput() {
        String f = KWC_Applet.nextInputField();
        if (f == null) return;
        if (f.equalsIgnoreCase("true")) {
            store(true);
        } else if (f.equalsIgnoreCase("false")) {
            store(false);
        } else {
            Double d = KWC_Applet.parseNumber(f);
            if (d == null) KWC_Applet.InputError = true;
            else store(d != 0);
        }
    }

    @Override
    public String toString() {
        return Get() ? "True" : "False";
    }
}
