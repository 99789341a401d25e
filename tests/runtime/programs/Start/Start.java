public class Start
    extends KWC_Applet
{
    // X
    KWV_Double PUB0=new KWV_Double(Math.log(0.0));
    // Main Program
    public void run(){
        // PRINT X
        KWC_TextScreen.KW_print(PUB0.Get(),0);
    }
}
