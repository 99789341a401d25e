import java.awt.image.BufferedImage;
public class Drawing {
    public static void main(String[] args) {
        BufferedImage page = new BufferedImage(320, 200, BufferedImage.TYPE_INT_RGB);
        for (int t = 1; t <= 20; t++)
            for (int y = 0; y <= 199; y++)
                for (int x = 0; x <= 319; x++) page.setRGB(x, y, x * 256 + y + t);
        System.out.println(page.getRGB(10, 10) & 0xFFFFFF);
    }
}
