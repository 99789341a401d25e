public class Sieve {
    public static void main(String[] args) {
        boolean[] flags = new boolean[30001];
        int count = 0;
        for (int round = 1; round <= 4000; round++) {
            for (int i = 2; i <= 30000; i++) flags[i] = true;
            count = 0;
            for (int i = 2; i <= 30000; i++) {
                if (flags[i]) {
                    count++;
                    for (int j = i + i; j <= 30000; j += i) flags[j] = false;
                }
            }
        }
        System.out.println(count);
    }
}
