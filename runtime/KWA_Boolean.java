/**
 * An array of BOOLEAN elements, kept as boolean values in one Java array; getValue gives a live
 * KWV_Boolean view of an element, which reads and writes the array (the JIT removes the view where
 * it does not leave the method).
 */
public class KWA_Boolean extends KWC_Array {
    private boolean Element[] = new boolean[0];

    /** One element: it reads and stores into the element table it was made for. */
    private static final class Cell extends KWV_Boolean {
        private final boolean table[];
        private final int at;

        Cell(boolean table[], int at) {
            this.table = table;
            this.at = at;
        }

        @Override
        public boolean Get() {
            return table[at];
        }

        @Override
        protected void store(boolean v) {
            table[at] = v;
        }
    }

    @Override
    public void setElementData(int ElementCount, int Option) {
        boolean fresh[] = new boolean[ElementCount];
        if (Option != 0) {
            for (int i = 0; i < ElementCount; i++) {
                int old = previousIndex(i);
                if (old >= 0 && old < Element.length) fresh[i] = Element[old];
            }
        }
        Element = fresh;
    }

    /** The element's value: what getValue(Number).Get() gives. */
    public boolean get(int Number) {
        return Element[Number];
    }

    /** Stores v into the element: what getValue(Number).Set(v) does. */
    public void set(int Number, boolean v) {
        Element[Number] = v;
    }

    public KWV_Boolean getValue(int Number) {
        return new Cell(Element, Number);
    }

    /**
     * Takes the shape and the elements of a (a copy made for this store): a whole array assigned
     * to a parameter changes the caller's array, which the parameter names.
     */
    public void Set(KWA_Boolean a) {
        copyShape(a);
        Element = a.Element;
    }

    /** A deep copy: the same shape, every element copied. */
    public KWA_Boolean Get() {
        KWA_Boolean copy = new KWA_Boolean();
        copy.copyShape(this);
        copy.Element = Element.clone();
        return copy;
    }
}
