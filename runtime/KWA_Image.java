/** An array of KWC_Image elements; getValue gives the element's live wrapper. */
public class KWA_Image extends KWC_Array {
    private KWC_Image Element[] = new KWC_Image[0];

    @Override
    public void setElementData(int ElementCount, int Option) {
        KWC_Image fresh[] = new KWC_Image[ElementCount];
        for (int i = 0; i < ElementCount; i++) {
            int old = Option != 0 ? previousIndex(i) : -1;
            fresh[i] = old >= 0 && old < Element.length ? Element[old] : new KWC_Image();
        }
        Element = fresh;
    }

    public KWC_Image getValue(int Number) {
        return Element[Number];
    }

    /**
     * Takes the shape and the elements of a (a copy made for this store): a whole array assigned
     * to a parameter changes the caller's array, which the parameter names.
     */
    public void Set(KWA_Image a) {
        copyShape(a);
        Element = a.Element;
    }

    /** A deep copy: the same shape, every element copied. */
    public KWA_Image Get() {
        KWA_Image copy = new KWA_Image();
        copy.copyShape(this);
        copy.Element = new KWC_Image[Element.length];
        for (int i = 0; i < Element.length; i++) {
            copy.Element[i] = new KWC_Image();
            copy.Element[i].Set(Element[i].Get());
        }
        return copy;
    }
}
