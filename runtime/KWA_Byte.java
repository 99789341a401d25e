/** An array of KWV_Byte elements; getValue gives the element's live wrapper. */
public class KWA_Byte extends KWC_Array {
    private KWV_Byte Element[] = new KWV_Byte[0];

    @Override
    public void setElementData(int ElementCount, int Option) {
        KWV_Byte fresh[] = new KWV_Byte[ElementCount];
        for (int i = 0; i < ElementCount; i++) {
            int old = Option != 0 ? previousIndex(i) : -1;
            fresh[i] = old >= 0 && old < Element.length ? Element[old] : new KWV_Byte();
        }
        Element = fresh;
    }

    public KWV_Byte getValue(int Number) {
        return Element[Number];
    }

    /**
     * Takes the shape and the elements of a (a copy made for this store): a whole array assigned
     * to a parameter changes the caller's array, which the parameter names.
     */
    public void Set(KWA_Byte a) {
        copyShape(a);
        Element = a.Element;
    }

    /** A deep copy: the same shape, every element copied. */
    public KWA_Byte Get() {
        KWA_Byte copy = new KWA_Byte();
        copy.copyShape(this);
        copy.Element = new KWV_Byte[Element.length];
        for (int i = 0; i < Element.length; i++) {
            copy.Element[i] = new KWV_Byte();
            copy.Element[i].Set(Element[i].Get());
        }
        return copy;
    }
}
