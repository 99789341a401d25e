/** An array of KWV_Long elements; getValue gives the element's live wrapper. */
public class KWA_Long extends KWC_Array {
    private KWV_Long Element[] = new KWV_Long[0];

    @Override
    public void setElementData(int ElementCount, int Option) {
        KWV_Long fresh[] = new KWV_Long[ElementCount];
        for (int i = 0; i < ElementCount; i++) {
            int old = Option != 0 ? previousIndex(i) : -1;
            fresh[i] = old >= 0 && old < Element.length ? Element[old] : new KWV_Long();
        }
        Element = fresh;
    }

    public KWV_Long getValue(int Number) {
        return Element[Number];
    }

    /**
     * Takes the shape and the elements of a (a copy made for this store): a whole array assigned
     * to a parameter changes the caller's array, which the parameter names.
     */
    public void Set(KWA_Long a) {
        copyShape(a);
        Element = a.Element;
    }

    /** A deep copy: the same shape, every element copied. */
    public KWA_Long Get() {
        KWA_Long copy = new KWA_Long();
        copy.copyShape(this);
        copy.Element = new KWV_Long[Element.length];
        for (int i = 0; i < Element.length; i++) {
            copy.Element[i] = new KWV_Long();
            copy.Element[i].Set(Element[i].Get());
        }
        return copy;
    }
}
