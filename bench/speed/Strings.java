public class Strings {
    public static void main(String[] args) {
        long n = 0;
        for (int t = 1; t <= 200; t++) {
            String s = "";
            for (int i = 1; i <= 2000; i++) s = s + (char) (97 + i % 26);
            for (int i = 1; i <= s.length(); i++)
                if ("aeiou".indexOf(s.substring(i - 1, i)) >= 0) n++;
        }
        System.out.println(n);
    }
}
