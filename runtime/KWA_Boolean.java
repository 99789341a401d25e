/** An array of KWV_Boolean elements; getValue gives the element's live wrapper. */
public class KWA_Boolean extends KWC_Array {
    private KWV_Boolean Element[] = new KWV_Boolean[0];

    @Override
    public void setElementData(int ElementCount, int Option) {
        KWV_Boolean fresh[] = new KWV_Boolean[ElementCount];
        for (int i = 0; i < ElementCount; i++) {
            int old = Option != 0 ? previousIndex(i) : -1;
            fresh[i] = old >= 0 && old < Element.length ? Element[old] : new KWV_Boolean();
        }
        Element = fresh;
    }

    public KWV_Boolean getValue(int Number) {
        return Element[Number];
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
        copy.Element = new KWV_Boolean[Element.length];
        for (int i = 0; i < Element.length; i++) {
            copy.Element[i] = new KWV_Boolean();
            copy.Element[i].Set(Element[i].Get());
        }
        return copy;
    }
}
