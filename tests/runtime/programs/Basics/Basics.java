public class Basics
    extends KWC_Applet
{
    // COUNT
    KWV_Integer PUB0=new KWV_Integer();
    // Main Program
    public void run(){
        // I
        KWV_Long LOC0=new KWV_Long();
        // A
        KWA_Long LOC1=new KWA_Long();
            LOC1.setDimension(1);
            LOC1.setRange(1,-2,2);
            LOC1.setElement(0);
        // P
        KWA_TYP0 LOC2=new KWA_TYP0();
            LOC2.setDimension(2);
            LOC2.setRange(1,0,1);
            LOC2.setRange(2,1,2);
            LOC2.setElement(0);
        // S$
        KWV_String LOC3=new KWV_String();
        // X
        KWV_Single LOC4=new KWV_Single();
        // B
        KWV_Boolean LOC5=new KWV_Boolean();

        int PC[]=new int[255];
        int CPC=0;
        PC[CPC]=1;
        End:while(true){
        switch(PC[CPC])
        {
case 1:
        // PRINT "Hello, world"
        KWC_TextScreen.KW_print("Hello, world",0);
        // FOR I = -2 TO 2
        for(LOC0.Set(-2);LOC0.LE(2);LOC0.Set(LOC0.Get()+1)){
            // A(I) = I * I
            LOC1.getValue(LOC1.getElement(1,LOC0.Get())+LOC1.getDimension(1)).Set(LOC0.Get()*LOC0.Get());
            // PRINT A(I);
            KWC_TextScreen.KW_print(LOC1.getValue(LOC1.getElement(1,LOC0.Get())+LOC1.getDimension(1)).Get(),2);
        // NEXT
        }
        // PRINT
        KWC_TextScreen.KW_print("",0);
        // GOSUB 100
        PC[CPC]=2;
        PC[++CPC]=10;
        break;
case 2:
        // GOSUB 100
        PC[CPC]=3;
        PC[++CPC]=10;
        break;
case 3:
        // P(1, 2).X = 7
        LOC2.getValue(LOC2.getElement(1,1)+LOC2.getElement(2,2)+LOC2.getDimension(2)).ELE0.Set((short)(7));
        // P(1, 2).NAME = "abcdef"
        LOC2.getValue(LOC2.getElement(1,1)+LOC2.getElement(2,2)+LOC2.getDimension(2)).ELE1.Set("abcdef");
        // PRINT P(1, 2).X; "["; P(1, 2).NAME; "]"
        KWC_TextScreen.KW_print(LOC2.getValue(LOC2.getElement(1,1)+LOC2.getElement(2,2)+LOC2.getDimension(2)).ELE0.Get(),2);KWC_TextScreen.KW_print("[",2);KWC_TextScreen.KW_print(LOC2.getValue(LOC2.getElement(1,1)+LOC2.getElement(2,2)+LOC2.getDimension(2)).ELE1.Get(),2);KWC_TextScreen.KW_print("]",0);
        // S$ = MID(UCASE("corvel basic"), 3, 4) + STR(-1.5)
        LOC3.Set(KWL_String.KW_mid(KWL_String.KW_ucase("corvel basic"),3,4)+KWL_String.KW_str(-1.5f));
        // PRINT S$, LEN(S$)
        KWC_TextScreen.KW_print(LOC3.Get(),1);KWC_TextScreen.KW_print(KWL_String.KW_len(LOC3.Get()),0);
        // X = 10 / 4
        LOC4.Set((float)((double)(10)/4));
        // PRINT X; 1 / 3; 2 ^ 40; 7 \ 2; -7 MOD 3
        KWC_TextScreen.KW_print(LOC4.Get(),2);KWC_TextScreen.KW_print((double)(1)/3,2);KWC_TextScreen.KW_print(Math.pow(2,40),2);KWC_TextScreen.KW_print((long)(Math.rint(Math.rint(7)/Math.rint(2))),2);KWC_TextScreen.KW_print(-7%3,0);
        // B = 3 > 2 XOR 1 > 0
        LOC5.Set(XOR(new KWV_Long(3).G(2),new KWV_Long(1).G(0)));
        // IF B THEN PRINT "xor false" ELSE PRINT "xor true"
        if(LOC5.Get()){
            KWC_TextScreen.KW_print("xor true",0);
        }else{
            KWC_TextScreen.KW_print("xor false",0);
        }
        // PRINT 5 EQV 3; 5 IMP 3; NOT 5
        KWC_TextScreen.KW_print(BEQV(5,3),2);KWC_TextScreen.KW_print(BIMP(5,3),2);KWC_TextScreen.KW_print(~(5),0);
        // PRINT "A", "B"; "C",
        KWC_TextScreen.KW_print("A",1);KWC_TextScreen.KW_print("B",2);KWC_TextScreen.KW_print("C",1);
        // PRINT "D"
        KWC_TextScreen.KW_print("D",0);
        // PRINT "日本語"; COUNT
        KWC_TextScreen.KW_print("日本語",2);KWC_TextScreen.KW_print(PUB0.Get(),0);
        // END
        PC[CPC]=0;
        break;
case 10:
        // 100 COUNT = COUNT + 1
        PUB0.Set((short)(PUB0.Get()+1));
        // PRINT "sub"; COUNT
        KWC_TextScreen.KW_print("sub",2);KWC_TextScreen.KW_print(PUB0.Get(),0);
        // RETURN
        CPC--;
        break;
case 0:
        break End;
        }
        }
    }
}

// Type - POINT
class TYP0
{
    // X
    KWV_Integer ELE0;
    // NAME
    KWV_String ELE1;

    TYP0()
    {
        ELE0=new KWV_Integer();
        ELE1=new KWV_String(4);
    }

    public void Set(TYP0 temp)
    {
        ELE0=temp.ELE0;
        ELE1=temp.ELE1;
    }
    public TYP0 Get()
    {
        TYP0 temp=new TYP0();
        temp.ELE0.Set(ELE0.Get());
        temp.ELE1.Set(ELE1.Get());
        return temp;
    }
}

class KWA_TYP0
    extends KWC_Array
{
    private TYP0 Element[];
    public void setElementData( int ElementCount, int Option )
    {
        if( !super.Error )
        {
            TYP0 TempElement[] = new TYP0[ ElementCount ];
            if( Option == 0 )
                for( int Loop = 0; Loop < ElementCount; Loop++ )
                    TempElement[ Loop ] = new TYP0();
            else // Preserve
            {
                int Range = Preserve < super.Range[0][1] - super.Range[0][0] + 1 ? Preserve: super.Range[0][1] - super.Range[0][0] + 1;
                int Loop = 0;
                for( ; Loop < Range; Loop++ )
                    TempElement[ Loop ] = Element[ Loop];
                for( ; Loop < ElementCount; Loop++ )
                    TempElement[ Loop ] = new TYP0();
            }
            Element = TempElement;
            Preserve = Range[0][1] - Range[0][0] + 1;
        }
    }
    public TYP0 getValue( int Number )
    {
        if( !super.Error )
            return Element[ Number ];
        else
            return new TYP0();
    }
    public KWA_TYP0 Get()
    {
        KWA_TYP0 ttV = new KWA_TYP0();
        if( super.Dimension != 0 )
        {
            ttV.Dimension = super.Dimension;
            ttV.Range = new int[ super.Dimension ][ 3 ];
            for(int itL = 0; itL < super.Dimension; itL++ )
            {
                ttV.Range[itL][0] = super.Range[itL][0];
                ttV.Range[itL][1] = super.Range[itL][1];
                ttV.Range[itL][2] = super.Range[itL][2];
            }
            ttV.Element = new TYP0[Element.length];
            for(int itL = 0; itL < Element.length; itL++ )
            {
                ttV.Element[itL] = new TYP0();
                ttV.Element[itL] = Element[itL].Get();
            }
            ttV.Error = super.Error;
        }
        return ttV;
    }
}
