/** An array of KWV_Single elements; getValue gives the element's live wrapper. */
public class KWA_Single extends KWC_Array {
    private KWV_Single Element[] = new KWV_Single[0];

    @Override
    public void setElementData(int ElementCount, int Option) {
        KWV_Single fresh[] = new KWV_Single[ElementCount];
        for (int i = 0; i < ElementCount; i++) {
            int old = Option != 0 ? previousIndex(i) : -1;
            fresh[i] = old >= 0 && old < Element.length ? Element[old] : new KWV_Single();
        }
        Element = fresh;
    }

    public KWV_Single getValue(int Number) {
        return Element[Number];
    }

    /**
     * Takes the shape and the elements of a (a copy made for this store): a whole array assigned
     * to a parameter changes the caller's array, which the parameter names.
     */
    public void Set(KWA_Single a) {
        copyShape(a);
        Element = a.Element;
    }

    /** A deep copy: the same shape, every element copied. */
    public KWA_Single Get() {
        KWA_Single copy = new KWA_Single();
        copy.copyShape(this);
        copy.Element = new KWV_Single[Element.length];
        for (int i = 0; i < Element.length; i++) {
            copy.Element[i] = new KWV_Single();
            copy.Element[i].Set(Element[i].Get());
        }
        return copy;
    }
}
