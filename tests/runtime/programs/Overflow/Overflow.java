public class Overflow
    extends KWC_Applet
{
    // Main Program
    public void run(){
        // S
        KWV_Single LOC0=new KWV_Single();

        // S = 3.4E+38
        LOC0.Set(3.4E+38f);
        // PRINT S; Exp(1000); 1 / 0; 0 / 0
        KWC_TextScreen.KW_print(LOC0.Get(),1);
        KWC_TextScreen.KW_print(KWL_Math.KW_exp(1000),1);
        KWC_TextScreen.KW_print(1.0/0,1);
        KWC_TextScreen.KW_print(0.0/0,0);
    }
}
