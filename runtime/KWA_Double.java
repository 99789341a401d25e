/** An array of KWV_Double elements; getValue gives the element's live wrapper. */
public class KWA_Double extends KWC_Array {
    private KWV_Double Element[] = new KWV_Double[0];

    @Override
    public void setElementData(int ElementCount, int Option) {
        KWV_Double fresh[] = new KWV_Double[ElementCount];
        for (int i = 0; i < ElementCount; i++) {
            int old = Option != 0 ? previousIndex(i) : -1;
            fresh[i] = old >= 0 && old < Element.length ? Element[old] : new KWV_Double();
        }
        Element = fresh;
    }

    public KWV_Double getValue(int Number) {
        return Element[Number];
    }

    /**
     * Takes the shape and the elements of a (a copy made for this store): a whole array assigned
     * to a parameter changes the caller's array, which the parameter names.
     */
    public void Set(KWA_Double a) {
        copyShape(a);
        Element = a.Element;
    }

    /** A deep copy: the same shape, every element copied. */
    public KWA_Double Get() {
        KWA_Double copy = new KWA_Double();
        copy.copyShape(this);
        copy.Element = new KWV_Double[Element.length];
        for (int i = 0; i < Element.length; i++) {
            copy.Element[i] = new KWV_Double();
            copy.Element[i].Set(Element[i].Get());
        }
        return copy;
    }
}
