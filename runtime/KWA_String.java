/** An array of KWV_String elements; getValue gives the element's live wrapper. */
public class KWA_String extends KWC_Array {
    private KWV_String Element[] = new KWV_String[0];

    @Override
    public void setElementData(int ElementCount, int Option) {
        KWV_String fresh[] = new KWV_String[ElementCount];
        for (int i = 0; i < ElementCount; i++) {
            int old = Option != 0 ? previousIndex(i) : -1;
            fresh[i] = old >= 0 && old < Element.length ? Element[old] : new KWV_String();
        }
        Element = fresh;
    }

    public KWV_String getValue(int Number) {
        return Element[Number];
    }

    /** A deep copy: the same shape, every element copied. */
    public KWA_String Get() {
        KWA_String copy = new KWA_String();
        copy.copyShape(this);
        copy.Element = new KWV_String[Element.length];
        for (int i = 0; i < Element.length; i++) {
            copy.Element[i] = new KWV_String();
            copy.Element[i].Set(Element[i].Get());
        }
        return copy;
    }
}
