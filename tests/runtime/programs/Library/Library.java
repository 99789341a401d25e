// Calls every library target with the argument types of its forms, as translated code does.
public class Library
    extends KWC_Applet
{
    // IMG
    KWC_Image PUB0=new KWC_Image();
    // IMG2
    KWC_Image PUB1=new KWC_Image();
    // Main Program
    public void run(){
        int l=KW_mouseX()+KW_mouseY()+KW_mouseButton()+KW_shiftKey()+KW_ctrlKey()+KW_altKey()+KW_metaKey();
        boolean e=KW_true()&&!KW_false();
        String c=KW_inkey();
        KW_onePlay("a.wav");KW_play("a.wav");KW_stop();
        KWC_Screen.KW_cls();KWC_Screen.KW_cls(2);
        KWC_Screen.KW_colorMode(1);c=c+KWC_Screen.KW_colorMode();KWC_Screen.KW_colorMode(0);
        KWC_GraphicScreen.KW_activePage(1);l+=KWC_GraphicScreen.KW_activePage();
        KWC_GraphicScreen.KW_displayPage(1);l+=KWC_GraphicScreen.KW_displayPage();
        l+=KWC_GraphicScreen.KW_page();
        KWC_GraphicScreen.KW_color(0xFFFFFF,0);
        KWC_GraphicScreen.KW_clip(0,0,639,399);
        KWC_GraphicScreen.KW_setFont(2,1,20);
        KWC_GraphicScreen.KW_scroll(1,1);
        KWC_GraphicScreen.KW_pageCopy(1,0);
        l+=KWC_GraphicScreen.KW_Point(0,0);
        KWC_Image.KW_createImg(PUB0,10,10);
        KWC_Image.KW_createTransImg(PUB1,10,10,0);
        l+=KWC_GraphicScreen.KW_Point(PUB0.Get(),1,1);
        l+=KWC_GraphicScreen.KW_tWidth("abc")>0?1:0;
        l+=KWC_GraphicScreen.KW_tHeight()>0?1:0;
        KWC_Image.KW_copyImg(PUB0,PUB1);
        KWC_Image.KW_copyImg(PUB0,1,1,4,4,PUB1);
        KWC_SpriteScreen.KW_sprite(1,PUB1,5,5);
        KWC_SpriteScreen.KW_spriteOn(1);KWC_SpriteScreen.KW_spriteOff(1);
        KWC_SpriteScreen.KW_spriteMove(1,2,2);KWC_SpriteScreen.KW_spriteMove(1,2,2,1);
        KWC_SpriteScreen.KW_spriteShow();KWC_SpriteScreen.KW_spriteHide();
        KWC_TextScreen.KW_textColor(0xFFFFFF,-1);KWC_TextScreen.KW_textColor(0xFFFFFF,-1,0,0);
        KWC_TextScreen.KW_textClip(1,1,80,25);
        KWC_TextScreen.KW_locate2(0,0);KWC_TextScreen.KW_locate(1,1);
        l+=KWC_TextScreen.KW_posX()+KWC_TextScreen.KW_posY()+KWC_TextScreen.KW_posX2()+KWC_TextScreen.KW_posY2();
        KWC_Screen.KW_screen(true,12,false,0,true,0,true,0);
        KWC_GraphicScreen.KW_line(0,1,1,0,5,5,false,0,0);
        KWC_GraphicScreen.KW_line(PUB0,1,1,1,0,0,true,3,0);
        KWC_GraphicScreen.KW_circle(0,50,50,10,false,0,false,0,false,0,false,0,0);
        KWC_GraphicScreen.KW_circle(PUB0,5,5,3,true,1,true,(double)(1),true,(double)(2),true,(double)(.5f),1);
        KWC_GraphicScreen.KW_paint(0,50,50,false,0,false,0);
        KWC_GraphicScreen.KW_paint(PUB0,5,5,true,2,true,1);
        KWC_GraphicScreen.KW_get(0,0,0,1,3,3,PUB1);
        KWC_GraphicScreen.KW_put(1,2,2,PUB1.Get());
        KWC_GraphicScreen.KW_drawStr(0,10,10,"x",false,-1);
        KWC_GraphicScreen.KW_drawStr(PUB0,1,1,"x",true,7);
        KWL_Browser.KW_openPage("x.html");KWL_Browser.KW_openPage((short)(1),"x.html");
        KWL_Browser.KW_openPage("x.html","_blank");KWL_Browser.KW_openPage((short)(1),"x.html","_blank");
        c=c+KWL_Browser.KW_param("p")+KWL_Browser.KW_docURL().substring(0,5);KWL_Browser.KW_status("s");
        KWL_Color_QuickBasic.KW_QBColorMode();KWL_Color_QuickBasic98.KW_QB98ColorMode();KWL_Color_VGA.KW_VGAColorMode();
        double d=KWL_Math.KW_abs(-1.5)+KWL_Math.KW_abs(-1)+KWL_Math.KW_e()*0+KWL_Math.KW_pi()*0+KWL_Math.KW_rnd()*0
            +KWL_Math.KW_rnd(1L)+KWL_Math.KW_rnd(2L,2L)+KWL_Math.KW_sin(0)+KWL_Math.KW_cos(0)+KWL_Math.KW_tan(0)
            +KWL_Math.KW_asin(0)+KWL_Math.KW_acos(1)+KWL_Math.KW_atan(0)+KWL_Math.KW_log(1)+KWL_Math.KW_exp(0)
            +KWL_Math.KW_sqr(4)+KWL_Math.KW_fix(1.9)+KWL_Math.KW_int(-1.1)+KWL_Math.KW_sgn(-3);
        c=c+KWL_String.KW_instr(1,"ab","b")+KWL_String.KW_instr("ab","a")+KWL_String.KW_len("ab")+KWL_String.KW_left("ab",1)
            +KWL_String.KW_right("ab",1)+KWL_String.KW_mid("abc",2)+KWL_String.KW_mid("abc",2,1)+KWL_String.KW_asc("A")
            +KWL_String.KW_chr(66)+KWL_String.KW_ucase("c")+KWL_String.KW_lcase("D")+KWL_String.KW_ltrim(" e")
            +KWL_String.KW_rtrim("f ")+KWL_String.KW_trim(" g ")+KWL_String.KW_space(1)+KWL_String.KW_str(1)
            +KWL_String.KW_str(2L)+KWL_String.KW_str(3.5f)+KWL_String.KW_str(4.25);
        l+=KWL_Time.KW_year()>2000?0:1;
        l+=KWL_Time.KW_month()+KWL_Time.KW_day()+KWL_Time.KW_date()+KWL_Time.KW_hour()+KWL_Time.KW_minute()+KWL_Time.KW_second();
        c=c+(KWL_Time.KW_monthName().length()>2)+(KWL_Time.KW_dayName().length()>2)+(KWL_Time.KW_time()>0);
        KWC_Screen.KW_cls();
        KWC_TextScreen.KW_print(c,0);
        KWC_TextScreen.KW_print(d,0);
        KWC_TextScreen.KW_print(e,0);
    }
}
