public class Crash
    extends KWC_Applet
{
    // Main Program
    public void run(){
        // A
        KWA_Integer LOC0=new KWA_Integer();
            LOC0.setDimension(1);
            LOC0.setRange(1,1,10);
            LOC0.setElement(0);
        // I
        KWV_Long LOC1=new KWV_Long();

        // PRINT "before"
        KWC_TextScreen.KW_print("before",0);
        // I = 11
        LOC1.Set(11);
        // A(I) = 1
        LOC0.getValue(LOC0.getElement(1,LOC1.Get())+LOC0.getDimension(1)).Set((short)(1));
        // PRINT "after"
        KWC_TextScreen.KW_print("after",0);
    }
}
