import java.util.HashMap;
import java.util.concurrent.atomic.AtomicBoolean;
import java.util.concurrent.atomic.AtomicReference;

/**
 * The composer and the program on two threads: the program makes a shown sprite's image again
 * at another size (CreateTransImg, GET) while the composer draws frames as fast as it can. The
 * composer must never see pixels of one size with another width.
 * usage: java SpriteStress [ROUNDS]; exit status 1 when a frame failed.
 */
public class SpriteStress {
    public static void main(String[] args) throws Exception {
        int rounds = args.length > 0 ? Integer.parseInt(args[0]) : 100;
        for (int round = 1; round <= rounds; round++) {
            KWC_Applet.setup(160, 160, new HashMap<>(), null, true);
            KWC_Image img = new KWC_Image();
            KWC_SpriteScreen.KW_sprite(1, img, 0, 0);
            AtomicReference<Throwable> failure = new AtomicReference<>();
            AtomicBoolean done = new AtomicBoolean();
            Thread composer = new Thread(() -> {
                java.awt.image.BufferedImage frame = null;
                try {
                    while (!done.get()) frame = KWC_Screen.compose(frame);
                } catch (Throwable t) {
                    failure.set(t);
                }
            });
            composer.start();
            for (int f = 1; f <= 3000 && failure.get() == null; f++) {
                if (f % 3 == 0) KWC_GraphicScreen.KW_get(0, 0, 0, 0, f % 90, f % 70, img);
                else KWC_Image.KW_createTransImg(img, f % 150 + 1, f % 150 + 1, 0);
            }
            done.set(true);
            composer.join();
            if (failure.get() != null) {
                System.out.println("round " + round + ": the composer failed");
                failure.get().printStackTrace(System.out);
                System.exit(1);
            }
        }
        System.out.println(rounds + " rounds of resizing a shown sprite's image while composing");
    }
}
