public class Page
    extends KWC_Applet
{
    // Main Program
    public void run(){
        // K$
        KWV_String LOC0=new KWV_String();

        // PRINT PARAM("speed"); "/"; PARAM("Title"); "/"; PARAM("none"); "/"
        KWC_TextScreen.KW_print(KWL_Browser.KW_param("speed"),2);KWC_TextScreen.KW_print("/",2);KWC_TextScreen.KW_print(KWL_Browser.KW_param("Title"),2);KWC_TextScreen.KW_print("/",2);KWC_TextScreen.KW_print(KWL_Browser.KW_param("none"),2);KWC_TextScreen.KW_print("/",0);
        // PRINT RIGHT(DOCURL, 9)
        KWC_TextScreen.KW_print(KWL_String.KW_right(KWL_Browser.KW_docURL(),9),0);
        // DO
        do{
            // K$ = INKEY
            LOC0.Set(KW_inkey());
            // PRINT K$;
            KWC_TextScreen.KW_print(LOC0.Get(),2);
        // LOOP UNTIL K$ = ""
        }while(!(LOC0.E("")));
        // PRINT
        KWC_TextScreen.KW_print("",0);
        // PRINT MOUSEX; MOUSEBUTTON; SHIFTKEY; TRUE
        KWC_TextScreen.KW_print(KW_mouseX(),2);KWC_TextScreen.KW_print(KW_mouseButton(),2);KWC_TextScreen.KW_print(KW_shiftKey(),0);
        // STATUS "done"
        KWL_Browser.KW_status("done");
        // ONEPLAY "missing.wav"
        KW_onePlay("missing.wav");
        // PLAY "missing.wav"
        KW_play("missing.wav");
        // STOP
        KW_stop();
        // OPENPAGE "http://example.invalid/"
        KWL_Browser.KW_openPage("http://example.invalid/");
        // PRINT WIDTH; HEIGHT (text grid)
        KWC_TextScreen.KW_locate(1,12);
        KWC_TextScreen.KW_print("row 12",0);
    }
}
