public class Ask
    extends KWC_Applet
{
    // Main Program
    public void run(){
        // NAME$
        KWV_String LOC0=new KWV_String();
        // AGE
        KWV_Integer LOC1=new KWV_Integer();
        // H
        KWV_Double LOC2=new KWV_Double();

        // INPUT "Name, age"; NAME$, AGE
        do{
            initInput(0,"Name, age",0);
            LOC0.getInput();
            LOC1.getInput();
        }while(InputError);
        // INPUT ; "Height", H
        do{
            initInput(1,"Height",1);
            LOC2.getInput();
        }while(InputError);
        // PRINT " m"
        KWC_TextScreen.KW_print(" m",0);
        // PRINT NAME$; " is"; AGE; "and"; H * 100; "cm"
        KWC_TextScreen.KW_print(LOC0.Get(),2);KWC_TextScreen.KW_print(" is",2);KWC_TextScreen.KW_print(LOC1.Get(),2);KWC_TextScreen.KW_print("and",2);KWC_TextScreen.KW_print(LOC2.Get()*100,2);KWC_TextScreen.KW_print("cm",0);
        // INPUT X
        do{
            initInput(0,"",0);
            LOC1.getInput();
        }while(InputError);
        // PRINT AGE + 1
        KWC_TextScreen.KW_print(LOC1.Get()+1,0);
    }
}
