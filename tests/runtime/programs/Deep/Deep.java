public class Deep
    extends KWC_Applet
{
    // N
    KWV_Long PUB0=new KWV_Long();
    // Main Program
    public void run(){

        int PC[]=new int[255];
        int CPC=0;
        PC[CPC]=1;
        End:while(true){
        switch(PC[CPC])
        {
case 1:
        // 10 N = N + 1
        PUB0.Set(PUB0.Get()+1);
        // GOSUB 10
        PC[CPC]=2;
        PC[++CPC]=1;
        break;
case 2:
        // END
        PC[CPC]=0;
        break;
case 0:
        break End;
        }
        }
    }
}
