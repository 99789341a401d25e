public class Shapes
    extends KWC_Applet
{
    // IMG
    KWC_Image PUB0=new KWC_Image();
    // Main Program
    public void run(){
        // QBCOLORMODE
        KWL_Color_QuickBasic.KW_QBColorMode();
        // APAGE 1
        KWC_GraphicScreen.KW_activePage(1);
        // COLOR 15, 1
        KWC_GraphicScreen.KW_color(15,1);
        // CLS 1
        KWC_Screen.KW_cls(1);
        // LINE (10,10)-(60,40),4,BF
        KWC_GraphicScreen.KW_line(0,10,10,0,60,40,true,4,2);
        // LINE (100,10)-(150,60),14,B
        KWC_GraphicScreen.KW_line(0,100,10,0,150,60,true,14,1);
        // PAINT (120,30),2,14
        KWC_GraphicScreen.KW_paint(0,120,30,true,2,true,14);
        // CIRCLE (200,100),30,15
        KWC_GraphicScreen.KW_circle(0,200,100,30,true,15,false,0,false,0,false,0,0);
        // PSET (5,50),12
        KWC_GraphicScreen.KW_line(0,5,50,1,0,0,true,12,0);
        // CREATETRANSIMG IMG, 8, 8, 0
        KWC_Image.KW_createTransImg(PUB0,8,8,0);
        // LINE IMG,(0,0)-(7,7),10,BF
        KWC_GraphicScreen.KW_line(PUB0,0,0,0,7,7,true,10,2);
        // SPRITE 0, IMG, 300, 200
        KWC_SpriteScreen.KW_sprite(0,PUB0,300,200);
        // DPAGE 1
        KWC_GraphicScreen.KW_displayPage(1);
        // TCOLOR 14, 4
        KWC_TextScreen.KW_textColor(14,4);
        // PRINT COLORMODE; POINT(20, 20); POINT(120, 30); APAGE; DPAGE; PAGE
        KWC_TextScreen.KW_print(KWC_Screen.KW_colorMode(),2);KWC_TextScreen.KW_print(KWC_GraphicScreen.KW_Point(20,20),2);KWC_TextScreen.KW_print(KWC_GraphicScreen.KW_Point(120,30),2);KWC_TextScreen.KW_print(KWC_GraphicScreen.KW_activePage(),2);KWC_TextScreen.KW_print(KWC_GraphicScreen.KW_displayPage(),2);KWC_TextScreen.KW_print(KWC_GraphicScreen.KW_page(),0);
    }
}
