/**
 * An array of SINGLE elements, kept as float values in one Java array; getValue gives a live
 * KWV_Single view of an element, which reads and writes the array (the JIT removes the view where
 * it does not leave the method).
 */
public class KWA_Single extends KWC_Array {
    private float Element[] = new float[0];

    /** One element: it reads and stores into the element table it was made for. */
    private static final class Cell extends KWV_Single {
        private final float table[];
        private final int at;

        Cell(float table[], int at) {
            this.table = table;
            this.at = at;
        }

        @Override
        public float Get() {
            return table[at];
        }

        @Override
        protected void store(float v) {
            table[at] = v;
        }
    }

    @Override
    public void setElementData(int ElementCount, int Option) {
        float fresh[] = new float[ElementCount];
        if (Option != 0) {
            for (int i = 0; i < ElementCount; i++) {
                int old = previousIndex(i);
                if (old >= 0 && old < Element.length) fresh[i] = Element[old];
            }
        }
        Element = fresh;
    }

    /** The element's value: what getValue(Number).Get() gives. */
    public float get(int Number) {
        return Element[Number];
    }

    /** Stores v into the element: what getValue(Number).Set(v) does. */
    public void set(int Number, float v) {
        Element[Number] = KWC_Applet.checkReal(v);
    }

    public KWV_Single getValue(int Number) {
        return new Cell(Element, Number);
    }

    /**
     * Takes the shape and the elements of a (a copy made for this store): a whole array assigned
     * to a parameter changes the caller's array, which the parameter names.
     */
    public void Set(KWA_Single a) {
        copyShape(a);
        Element = a.Element;
    }

    /** A deep copy: the same shape, every element copied. */
    public KWA_Single Get() {
        KWA_Single copy = new KWA_Single();
        copy.copyShape(this);
        copy.Element = Element.clone();
        return copy;
    }
}
