/**
 * Base of the array classes. An array has Dimension dimensions; Range[k] holds the lower bound,
 * the upper bound and the stride of dimension k + 1. Elements lie in one flat table, the first
 * subscript varying fastest, so a subscripted access is
 * getValue(getElement(1, i) + getElement(2, j) + getDimension(2)): each getElement checks its
 * subscript and gives its share of the flat index, getDimension checks the subscript count.
 * A subscript out of range or a wrong count stops the program with a runtime error.
 */
public abstract class KWC_Array {
    /** Set while the array has no usable shape (after a failed set-up). */
    public boolean Error;
    public int Dimension;
    public int Range[][] = new int[0][3];
    /** Length of the first dimension when the elements were last made (for REDIM PRESERVE). */
    public int Preserve;

    // The shape before the last setDimension, so that PRESERVE can keep elements by subscripts.
    private int[][] previousRange = new int[0][3];
    private int previousDimension;
    // When the new shape keeps every old element at its old flat index (only the last
    // dimension's upper bound changed, the usual growing list): how many such places; else -1.
    private int samePlaces = -1;
    // The shape of up to three dimensions as index() reads it: lower bounds and lengths, valid
    // only while shaped equals Dimension (0 after any change of shape until the elements are made).
    private int shaped, n1, lo2, n2, lo3, n3;
    protected int lo1;
    // n1 while the array has exactly one dimension, else 0: one unsigned test checks a subscript.
    // The element table then has n1 elements, which get1 and set1 rely on.
    protected int only1;

    // The element tables REDIM PRESERVE replaced, while a view of one of their elements lives:
    // the table that took their elements, and the new place of each (-1: left behind).
    private final java.util.WeakHashMap<Object, Object[]> moves = new java.util.WeakHashMap<>();

    protected final void moved(Object from, Object to, int[] places) {
        moves.put(from, new Object[] {to, places});
    }

    protected final int[] movedFrom(Object table) {
        Object[] move = moves.get(table);
        return move == null ? null : (int[]) move[1];
    }

    protected final Object movedTo(Object table) {
        return moves.get(table)[0];
    }

    /** Makes the new element table: ElementCount elements, keeping old ones when Option is 1. */
    public abstract void setElementData(int ElementCount, int Option);

    public void setDimension(int n) {
        if (n < 1 || n > 60)
            throw KWC_Applet.runtimeError(KWC_Applet.E_REDIM_DIMENSIONS, n);
        previousRange = Range;
        previousDimension = Dimension;
        shaped = 0;
        only1 = 0;
        Dimension = n;
        Range = new int[n][3];
    }

    public void setRange(int k, int lower, int upper) {
        if (k < 1 || k > Dimension) throw KWC_Applet.runtimeError(KWC_Applet.E_REDIM_NO_DIMENSION, k);
        if (lower > upper) throw KWC_Applet.runtimeError(KWC_Applet.E_REDIM_BOUNDS, lower, upper);
        shaped = 0;
        only1 = 0;
        Range[k - 1][0] = lower;
        Range[k - 1][1] = upper;
    }

    /** Makes the elements for the ranges set; Option 1 keeps the elements that still fit. */
    public void setElement(int Option) {
        long count = 1;
        for (int k = 0; k < Dimension; k++) {
            Range[k][2] = (int) count;
            count *= (long) Range[k][1] - Range[k][0] + 1;
            if (count > 100_000_000L)
                throw KWC_Applet.runtimeError(KWC_Applet.E_ARRAY_TOO_LARGE, count);
        }
        Error = false;
        samePlaces = samePlaces((int) count);
        setElementData((int) count, Option);
        Preserve = Dimension > 0 ? Range[0][1] - Range[0][0] + 1 : 0;
        cacheShape();
    }

    private void cacheShape() {
        shaped = Dimension;
        if (Dimension > 3) shaped = 0;
        int[] none = {0, -1};
        int[] r1 = Dimension >= 1 ? Range[0] : none, r2 = Dimension >= 2 ? Range[1] : none,
                r3 = Dimension >= 3 ? Range[2] : none;
        lo1 = r1[0];
        n1 = r1[1] - r1[0] + 1;
        lo2 = r2[0];
        n2 = r2[1] - r2[0] + 1;
        lo3 = r3[0];
        n3 = r3[1] - r3[0] + 1;
        only1 = shaped == 1 ? n1 : 0;
    }

    // The flat index of an element of one, two or three subscripts: what getElement for each
    // subscript plus getDimension give, in a body small enough for the JIT to inline. Whatever
    // the fast test does not pass (a subscript out of range, a wrong count, a shape being
    // changed) goes the long way, which throws today's error or gives today's index.
    public final int index(int i) {
        int k = i - lo1;
        if (Integer.compareUnsigned(k, only1) >= 0) return getElement(1, i) + getDimension(1);
        return k;
    }

    public final int index(int i, int j) {
        int k = i - lo1, l = j - lo2;
        if (shaped != 2 || k < 0 || k >= n1 || l < 0 || l >= n2)
            return getElement(1, i) + getElement(2, j) + getDimension(2);
        return k + l * n1;
    }

    public final int index(int i, int j, int m) {
        int k = i - lo1, l = j - lo2, o = m - lo3;
        if (shaped != 3 || k < 0 || k >= n1 || l < 0 || l >= n2 || o < 0 || o >= n3)
            return getElement(1, i) + getElement(2, j) + getElement(3, m) + getDimension(3);
        return k + (l + o * n2) * n1;
    }

    /** The share of subscript index of dimension k in the flat index. */
    public int getElement(int k, int index) {
        if (k > Dimension) throw wrongCount(k, false);
        int[] r = Range[k - 1];
        if (index < r[0] || index > r[1]) throw outOfRange(k, index);
        return (index - r[0]) * r[2];
    }

    // Apart from getElement, so that its body stays small enough to inline.
    private RuntimeException outOfRange(int k, int index) {
        int[] r = Range[k - 1];
        return KWC_Applet.runtimeError(KWC_Applet.E_SUBSCRIPT_IN, index, k, r[0], r[1]);
    }

    /** Checks that k subscripts were given; adds nothing to the flat index. */
    public int getDimension(int k) {
        if (k != Dimension) throw wrongCount(k, true);
        return 0;
    }

    // getDimension(k) knows the count; getElement(k, ...) past the last dimension only that
    // there are at least k subscripts.
    private RuntimeException wrongCount(int k, boolean exact) {
        if (Dimension == 0) return KWC_Applet.runtimeError(KWC_Applet.E_NOT_DIMENSIONED);
        return KWC_Applet.runtimeError(exact ? KWC_Applet.E_DIMENSIONS
                : KWC_Applet.E_DIMENSIONS_MORE, Dimension, k);
    }

    private int samePlaces(int count) {
        if (previousDimension != Dimension || Dimension == 0) return -1;
        long old = 1;
        for (int k = 0; k < Dimension; k++) {
            int[] p = previousRange[k];
            boolean last = k == Dimension - 1;
            if (p[0] != Range[k][0] || (!last && p[1] != Range[k][1])) return -1;
            old *= (long) p[1] - p[0] + 1;
        }
        return (int) Math.min(old, count);
    }

    /**
     * For REDIM PRESERVE: the old flat index of the element at new flat index flat when the
     * subscripts were valid in the old shape too, else -1.
     */
    protected int previousIndex(int flat) {
        if (samePlaces >= 0) return flat < samePlaces ? flat : -1;
        if (previousDimension != Dimension) return -1;
        int old = 0;
        for (int k = 0; k < Dimension; k++) {
            int len = Range[k][1] - Range[k][0] + 1;
            int index = Range[k][0] + flat % len;
            flat /= len;
            int[] p = previousRange[k];
            if (index < p[0] || index > p[1]) return -1;
            old += (index - p[0]) * p[2];
        }
        return old;
    }

    /** Copies the shape of other into this array (used by the deep copies of Get()). */
    protected void copyShape(KWC_Array other) {
        Dimension = other.Dimension;
        Range = new int[other.Range.length][];
        for (int k = 0; k < Range.length; k++) Range[k] = other.Range[k].clone();
        Preserve = other.Preserve;
        Error = other.Error;
        cacheShape();
    }
}
