public class Forever
    extends KWC_Applet
{
    // Main Program
    public void run(){

        int PC[]=new int[255];
        int CPC=0;
        PC[CPC]=1;
        End:while(true){
        switch(PC[CPC])
        {
case 1:
        // PRINT "waiting"
        KWC_TextScreen.KW_print("waiting",0);
case 2:
        // 10 GOTO 10
        PC[CPC]=2;
        break;
case 0:
        break End;
        }
        }
    }
}
