/**
 * An array of LONGLONG elements, kept as long values in one Java array; getValue gives a live
 * KWV_Longlong view of an element, which reads and writes the array (the JIT removes the view where
 * it does not leave the method).
 */
public class KWA_Longlong extends KWC_Array {
    private long Element[] = new long[0];

    /** One element: it reads and stores into the element table it was made for. */
    private static final class Cell extends KWV_Longlong {
        private final long table[];
        private final int at;

        Cell(long table[], int at) {
            this.table = table;
            this.at = at;
        }

        @Override
        public long Get() {
            return table[at];
        }

        @Override
        protected void store(long v) {
            table[at] = v;
        }
    }

    @Override
    public void setElementData(int ElementCount, int Option) {
        long fresh[] = new long[ElementCount];
        if (Option != 0) {
            for (int i = 0; i < ElementCount; i++) {
                int old = previousIndex(i);
                if (old >= 0 && old < Element.length) fresh[i] = Element[old];
            }
        }
        Element = fresh;
    }

    /** The element's value: what getValue(Number).Get() gives. */
    public long get(int Number) {
        return Element[Number];
    }

    /** Stores v into the element: what getValue(Number).Set(v) does. */
    public void set(int Number, long v) {
        Element[Number] = v;
    }

    public KWV_Longlong getValue(int Number) {
        return new Cell(Element, Number);
    }

    /**
     * Takes the shape and the elements of a (a copy made for this store): a whole array assigned
     * to a parameter changes the caller's array, which the parameter names.
     */
    public void Set(KWA_Longlong a) {
        copyShape(a);
        Element = a.Element;
    }

    /** A deep copy: the same shape, every element copied. */
    public KWA_Longlong Get() {
        KWA_Longlong copy = new KWA_Longlong();
        copy.copyShape(this);
        copy.Element = Element.clone();
        return copy;
    }
}
