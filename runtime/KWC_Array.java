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

    /** Makes the new element table: ElementCount elements, keeping old ones when Option is 1. */
    public abstract void setElementData(int ElementCount, int Option);

    public void setDimension(int n) {
        if (n < 1 || n > 60)
            throw KWC_Applet.runtimeError(KWC_Applet.E_REDIM_DIMENSIONS, n);
        previousRange = Range;
        previousDimension = Dimension;
        Dimension = n;
        Range = new int[n][3];
    }

    public void setRange(int k, int lower, int upper) {
        if (k < 1 || k > Dimension) throw KWC_Applet.runtimeError(KWC_Applet.E_REDIM_NO_DIMENSION, k);
        if (lower > upper) throw KWC_Applet.runtimeError(KWC_Applet.E_REDIM_BOUNDS, lower, upper);
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
    }

    /** The share of subscript index of dimension k in the flat index. */
    public int getElement(int k, int index) {
        if (k > Dimension) throw wrongCount(k, false);
        int[] r = Range[k - 1];
        if (index < r[0] || index > r[1])
            throw KWC_Applet.runtimeError(KWC_Applet.E_SUBSCRIPT_IN, index, k, r[0], r[1]);
        return (index - r[0]) * r[2];
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
    }
}
