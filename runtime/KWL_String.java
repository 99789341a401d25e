/**
 * String functions. Positions count characters (code points) from 1; a negative length or a
 * position below 1 stops the program.
 */
public class KWL_String {
    private static RuntimeException illegal(String what) {
        return KWC_Applet.runtimeError(KWC_Applet.E_ILLEGAL_CALL, what);
    }

    private static int length(String s) {
        return s.codePointCount(0, s.length());
    }

    /** The text of s from character position from (1-based), count characters. */
    private static String slice(String s, int from, int count) {
        int n = length(s);
        if (from > n || count <= 0) return "";
        int end = (int) Math.min((long) from - 1 + count, n);
        return s.substring(s.offsetByCodePoints(0, from - 1), s.offsetByCodePoints(0, end));
    }

    /** Instr start, s, find: the position of find in s at or after start, 0 when absent. */
    public static int KW_instr(int start, String s, String find) {
        if (start < 1) throw illegal("Instr(" + start + ", ...)");
        int n = length(s);
        if (start > n + 1) return 0;
        int from = s.offsetByCodePoints(0, start - 1);
        int at = s.indexOf(find, from);
        return at < 0 ? 0 : s.codePointCount(0, at) + 1;
    }

    public static int KW_instr(String s, String find) {
        return KW_instr(1, s, find);
    }

    public static int KW_len(String s) {
        return length(s);
    }

    public static String KW_left(String s, int n) {
        if (n < 0) throw illegal("Left(..., " + n + ")");
        return slice(s, 1, n);
    }

    public static String KW_right(String s, int n) {
        if (n < 0) throw illegal("Right(..., " + n + ")");
        int len = length(s);
        return n >= len ? s : slice(s, len - n + 1, n);
    }

    /** Mid s, start: from start to the end. */
    public static String KW_mid(String s, int start) {
        if (start < 1) throw illegal("Mid(..., " + start + ")");
        return slice(s, start, Integer.MAX_VALUE);
    }

    public static String KW_mid(String s, int start, int count) {
        if (start < 1) throw illegal("Mid(..., " + start + ", ...)");
        if (count < 0) throw illegal("Mid(..., ..., " + count + ")");
        return slice(s, start, count);
    }

    /** The code of the first character. */
    public static int KW_asc(String s) {
        if (s.isEmpty()) throw illegal("Asc(\"\")");
        return s.codePointAt(0);
    }

    /** The character of a code (0 to 0x10FFFF). */
    public static String KW_chr(int code) {
        if (code < 0 || code > Character.MAX_CODE_POINT) throw illegal("Chr(" + code + ")");
        return new String(Character.toChars(code));
    }

    /**
     * Ucase and Lcase map each character on its own, whatever the locale, so the length stays:
     * a character without a one-character case partner (ß, the dotted capital I) is kept.
     */
    public static String KW_ucase(String s) {
        return mapCase(s, true);
    }

    public static String KW_lcase(String s) {
        return mapCase(s, false);
    }

    private static String mapCase(String s, boolean upper) {
        StringBuilder sb = new StringBuilder(s.length());
        for (int i = 0; i < s.length(); ) {
            int cp = s.codePointAt(i);
            i += Character.charCount(cp);
            sb.appendCodePoint(upper ? Character.toUpperCase(cp) : Character.toLowerCase(cp));
        }
        return sb.toString();
    }

    /** Ltrim, Rtrim, Trim remove blanks (spaces only). */
    public static String KW_ltrim(String s) {
        int i = 0;
        while (i < s.length() && s.charAt(i) == ' ') i++;
        return s.substring(i);
    }

    public static String KW_rtrim(String s) {
        int i = s.length();
        while (i > 0 && s.charAt(i - 1) == ' ') i--;
        return s.substring(0, i);
    }

    public static String KW_trim(String s) {
        return KW_ltrim(KW_rtrim(s));
    }

    public static String KW_space(int n) {
        if (n < 0) throw illegal("Space(" + n + ")");
        return " ".repeat(n);
    }

    /** Str: the number as PRINT shows it, with a leading blank when not negative, no trailing one. */
    public static String KW_str(int v) {
        return (v < 0 ? "" : " ") + v;
    }

    public static String KW_str(long v) {
        return (v < 0 ? "" : " ") + v;
    }

    public static String KW_str(float v) {
        String s = KWC_TextScreen.formatSingle(v);
        return s.startsWith("-") ? s : " " + s;
    }

    public static String KW_str(double v) {
        String s = KWC_TextScreen.formatDouble(v);
        return s.startsWith("-") ? s : " " + s;
    }
}
