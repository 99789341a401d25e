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

    public void Set(boolean v) {
        value = v;
    }

    public boolean E(boolean v) {
        return value == v;
    }

    public boolean NE(boolean v) {
        return value != v;
    }

    public boolean L(boolean v) {
        return !value && v;
    }

    public boolean LE(boolean v) {
        return !value || v;
    }

    public boolean G(boolean v) {
        return value && !v;
    }

    public boolean GE(boolean v) {
        return value || !v;
    }

    /** Takes the next INPUT field: True/False (any case), or a number (0 is false). */
    public void getInput() {
        String f = KWC_Applet.nextInputField();
        if (f == null) return;
        if (f.equalsIgnoreCase("true")) {
            value = true;
        } else if (f.equalsIgnoreCase("false")) {
            value = false;
        } else {
            Double d = KWC_Applet.parseNumber(f);
            if (d == null) KWC_Applet.InputError = true;
            else value = d != 0;
        }
    }

    @Override
    public String toString() {
        return value ? "True" : "False";
    }
}
