/** An array of KWV_Integer elements; getValue gives the element's live wrapper. */
public class KWA_Integer extends KWC_Array {
    private KWV_Integer Element[] = new KWV_Integer[0];

    @Override
    public void setElementData(int ElementCount, int Option) {
        KWV_Integer fresh[] = new KWV_Integer[ElementCount];
        for (int i = 0; i < ElementCount; i++) {
            int old = Option != 0 ? previousIndex(i) : -1;
            fresh[i] = old >= 0 && old < Element.length ? Element[old] : new KWV_Integer();
        }
        Element = fresh;
    }

    public KWV_Integer getValue(int Number) {
        return Element[Number];
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
        copy.Element = new KWV_Integer[Element.length];
        for (int i = 0; i < Element.length; i++) {
            copy.Element[i] = new KWV_Integer();
            copy.Element[i].Set(Element[i].Get());
        }
        return copy;
    }
}
