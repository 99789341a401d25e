/**
 * An array of INTEGER elements, kept as short values in one Java array; getValue gives a live
 * KWV_Integer view of an element, which reads and writes the array (the JIT removes the view where
 * it does not leave the method).
 */
public class KWA_Integer extends KWC_Array {
    private short Element[] = new short[0];

    /**
     * One element: it reads and stores into the element table it was made for and, should REDIM
     * PRESERVE move the element into a new table, follows it there, as the element's own
     * variable would (a parameter passed the element goes on naming it).
     */
    private static final class Cell extends KWV_Integer {
        private final KWA_Integer owner;
        private short table[];
        private int at;

        Cell(KWA_Integer owner, int at) {
            this.owner = owner;
            this.table = owner.Element;
            this.at = at;
        }

        @Override
        public short Get() {
            if (table != owner.Element) follow();
            return table[at];
        }

        @Override
        protected void store(short v) {
            if (table != owner.Element) follow();
            table[at] = v;
        }

        private void follow() {
            for (int[] to; table != owner.Element && (to = owner.movedFrom(table)) != null && to[at] >= 0; ) {
                at = to[at];
                table = (short[]) owner.movedTo(table);
            }
        }
    }

    @Override
    public void setElementData(int ElementCount, int Option) {
        short fresh[] = new short[ElementCount];
        if (Option != 0 && Element.length > 0) {
            int to[] = new int[Element.length];
            java.util.Arrays.fill(to, -1);
            for (int i = 0; i < ElementCount; i++) {
                int old = previousIndex(i);
                if (old >= 0 && old < Element.length) {
                    fresh[i] = Element[old];
                    to[old] = i;
                }
            }
            moved(Element, fresh, to);
        }
        Element = fresh;
    }

    /** The element's value: what getValue(Number).Get() gives. */
    public short get(int Number) {
        return Element[Number];
    }

    /** Stores v into the element: what getValue(Number).Set(v) does. */
    public void set(int Number, short v) {
        Element[Number] = v;
    }

    // Element i of a one-dimension array: get(index(i)) and set(index(i), v) in one body, whose
    // test of the subscript against the table's length is the only one the JIT keeps.
    public short get1(int i) {
        short[] e = Element;
        int k = i - lo1;
        if (only1 != 0 && k >= 0 && k < e.length) return e[k];
        return Element[index(i)];
    }

    public void set1(int i, short v) {
        short[] e = Element;
        int k = i - lo1;
        if (only1 != 0 && k >= 0 && k < e.length) {
            e[k] = v;
            return;
        }
        Element[index(i)] = v;
    }

    public KWV_Integer getValue(int Number) {
        return new Cell(this, Number);
    }

    /**
     * Takes the shape and the elements of a (a copy made for this store): a whole array assigned
     * to a parameter changes the caller's array, which the parameter names.
     */
    public void Set(KWA_Integer a) {
        copyShape(a);
        Element = a.Element;
    }

    /** A deep copy: the same shape, every element copied. */
    public KWA_Integer Get() {
        KWA_Integer copy = new KWA_Integer();
        copy.copyShape(this);
        copy.Element = Element.clone();
        return copy;
    }
}
