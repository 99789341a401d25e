public class Empty { public static void main(String[] args) { System.out.println(0); } }
