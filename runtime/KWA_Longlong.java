/** An array of KWV_Longlong elements; getValue gives the element's live wrapper. */
public class KWA_Longlong extends KWC_Array {
    private KWV_Longlong Element[] = new KWV_Longlong[0];

    @Override
    public void setElementData(int ElementCount, int Option) {
        KWV_Longlong fresh[] = new KWV_Longlong[ElementCount];
        for (int i = 0; i < ElementCount; i++) {
            int old = Option != 0 ? previousIndex(i) : -1;
            fresh[i] = old >= 0 && old < Element.length ? Element[old] : new KWV_Longlong();
        }
        Element = fresh;
    }

    public KWV_Longlong getValue(int Number) {
        return Element[Number];
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
        copy.Element = new KWV_Longlong[Element.length];
        for (int i = 0; i < Element.length; i++) {
            copy.Element[i] = new KWV_Longlong();
            copy.Element[i].Set(Element[i].Get());
        }
        return copy;
    }
}
