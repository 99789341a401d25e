import java.util.Random;

/** Mathematical functions. Arguments outside a function's domain stop the program. */
public class KWL_Math {
    static final Random random = new Random();

    /** An argument outside the function's domain (a NaN or infinite one stops as such). */
    private static RuntimeException illegal(String function, double arg) {
        return KWC_Applet.runtimeError(KWC_Applet.E_ILLEGAL_CALL,
                function + "(" + KWC_TextScreen.formatDouble(arg) + ")");
    }

    public static int KW_abs(int v) {
        if (v == Integer.MIN_VALUE)
            throw KWC_Applet.runtimeError(KWC_Applet.E_OVERFLOW_IN, "Abs(" + v + ")");
        return Math.abs(v);
    }

    // A whole number stays whole (every digit of a LONGLONG survives); a real one takes the
    // double forms.

    public static long KW_abs(long v) {
        if (v == Long.MIN_VALUE)
            throw KWC_Applet.runtimeError(KWC_Applet.E_OVERFLOW_IN, "Abs(" + v + ")");
        return Math.abs(v);
    }

    public static double KW_abs(double v) {
        return Math.abs(v);
    }

    public static double KW_e() {
        return Math.E;
    }

    public static double KW_pi() {
        return Math.PI;
    }

    /** A random number from 0 up to, not including, 1. */
    public static double KW_rnd() {
        return random.nextDouble();
    }

    /** A random whole number from 0 to n - 1 (0 when n is 0 or less). */
    public static long KW_rnd(long n) {
        return n <= 0 ? 0 : Math.floorMod(random.nextLong(), n);
    }

    /** A random whole number from a to b, both included (in either order). */
    public static long KW_rnd(long a, long b) {
        long lo = Math.min(a, b), hi = Math.max(a, b);
        long span = hi - lo + 1;
        if (span <= 0) { // the range is wider than a long can count: draw until inside
            while (true) {
                long r = random.nextLong();
                if (r >= lo && r <= hi) return r;
            }
        }
        return lo + Math.floorMod(random.nextLong(), span);
    }

    public static double KW_sin(double v) {
        return Math.sin(v);
    }

    public static double KW_cos(double v) {
        return Math.cos(v);
    }

    public static double KW_tan(double v) {
        return Math.tan(v);
    }

    public static double KW_asin(double v) {
        if (!(v >= -1 && v <= 1)) throw illegal("ASin", v);
        return Math.asin(v);
    }

    public static double KW_acos(double v) {
        if (!(v >= -1 && v <= 1)) throw illegal("ACos", v);
        return Math.acos(v);
    }

    public static double KW_atan(double v) {
        return Math.atan(v);
    }

    /** The natural logarithm; needs a positive argument. */
    public static double KW_log(double v) {
        if (!(v > 0)) throw illegal("Log", v);
        return Math.log(v);
    }

    public static double KW_exp(double v) {
        return Math.exp(v);
    }

    /** The square root; needs an argument of 0 or more. */
    public static double KW_sqr(double v) {
        if (!(v >= 0)) throw illegal("Sqr", v);
        return Math.sqrt(v);
    }

    /** Cuts the fraction off (towards 0). */
    public static long KW_fix(long v) {
        return v;
    }

    public static long KW_fix(double v) {
        return toLong("Fix", v < 0 ? Math.ceil(v) : Math.floor(v));
    }

    /** The greatest whole number not above the argument. */
    public static long KW_int(long v) {
        return v;
    }

    public static long KW_int(double v) {
        return toLong("Int", Math.floor(v));
    }

    private static long toLong(String function, double whole) {
        if (!(whole >= -9.223372036854775808e18 && whole < 9.223372036854775808e18))
            throw KWC_Applet.runtimeError(KWC_Applet.E_OVERFLOW_IN,
                    function + "(" + KWC_TextScreen.formatDouble(whole) + ")");
        return (long) whole;
    }

    /** -1, 0 or 1 by the sign of the argument. */
    public static short KW_sgn(long v) {
        return (short) Long.signum(v);
    }

    public static short KW_sgn(double v) {
        return (short) (v > 0 ? 1 : v < 0 ? -1 : 0);
    }
}
