public class Procedures {
    static int addTo(int t, int v) { return t + v + 1; }
    public static void main(String[] args) {
        int total = 0;
        for (int r = 1; r <= 30; r++)
            for (int i = 1; i <= 1000000; i++) total = addTo(total, i % 7);
        System.out.println(total);
    }
}
