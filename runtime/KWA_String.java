/** An array of KWV_String elements; getValue gives the element's live wrapper. */
public class KWA_String extends KWC_Array {
    private KWV_String Element[] = new KWV_String[0];
    /** The length of every element of a fixed-length string array, or -1. */
    private final int fixedLength;

    public KWA_String() {
        fixedLength = -1;
    }

    /** An array of fixed-length strings (an element of a user type: C(2) AS STRING * 4). */
    public KWA_String(int length) {
        fixedLength = Math.max(0, length);
    }

    private KWV_String newElement() {
        return fixedLength >= 0 ? new KWV_String(fixedLength) : new KWV_String();
    }

    @Override
    public void setElementData(int ElementCount, int Option) {
        KWV_String fresh[] = new KWV_String[ElementCount];
        for (int i = 0; i < ElementCount; i++) {
            int old = Option != 0 ? previousIndex(i) : -1;
            fresh[i] = old >= 0 && old < Element.length ? Element[old] : newElement();
        }
        Element = fresh;
    }

    /** The element's value: what getValue(Number).Get() gives. */
    public String get(int Number) {
        return Element[Number].Get();
    }

    /** Stores v into the element: what getValue(Number).Set(v) does. */
    public void set(int Number, String v) {
        Element[Number].Set(v);
    }

    public KWV_String getValue(int Number) {
        return Element[Number];
    }

    /**
     * Takes the shape and the elements of a (a copy made for this store): a whole array assigned
     * to a parameter changes the caller's array, which the parameter names.
     */
    public void Set(KWA_String a) {
        copyShape(a);
        Element = a.Element;
    }

    /** A deep copy: the same shape, every element copied. */
    public KWA_String Get() {
        KWA_String copy = fixedLength >= 0 ? new KWA_String(fixedLength) : new KWA_String();
        copy.copyShape(this);
        copy.Element = new KWV_String[Element.length];
        for (int i = 0; i < Element.length; i++) {
            copy.Element[i] = newElement();
            copy.Element[i].Set(Element[i].Get());
        }
        return copy;
    }
}
