public class Fibonacci {
    static int fib(int n) { return n < 2 ? n : fib(n - 1) + fib(n - 2); }
    public static void main(String[] args) {
        int r = 0;
        for (int k = 1; k <= 5; k++) r = fib(34);
        System.out.println(r);
    }
}
