public class Records {
    static final class Particle { double x, v; int hits; }
    public static void main(String[] args) {
        Particle[] p = new Particle[2001];
        for (int i = 0; i <= 2000; i++) p[i] = new Particle();
        for (int i = 1; i <= 2000; i++) { p[i].x = i; p[i].v = (i % 13) - 6; }
        for (int t = 1; t <= 100000; t++)
            for (int i = 1; i <= 2000; i++) {
                p[i].x = p[i].x + p[i].v;
                if (p[i].x < 0 || p[i].x > 2000) { p[i].v = -p[i].v; p[i].hits++; }
            }
        long total = 0;
        for (int i = 1; i <= 2000; i++) total += p[i].hits;
        System.out.println(total);
    }
}
