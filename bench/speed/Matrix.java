public class Matrix {
    public static void main(String[] args) {
        double[][] a = new double[251][251], b = new double[251][251], c = new double[251][251];
        for (int i = 1; i <= 250; i++)
            for (int j = 1; j <= 250; j++) {
                a[i][j] = (i + j) / 250.0;
                b[i][j] = (i - j) / 250.0;
            }
        for (int t = 1; t <= 6; t++)
            for (int i = 1; i <= 250; i++)
                for (int j = 1; j <= 250; j++) {
                    double s = 0;
                    for (int k = 1; k <= 250; k++) s += a[i][k] * b[k][j];
                    c[i][j] = s;
                }
        System.out.println(c[10][20]);
    }
}
