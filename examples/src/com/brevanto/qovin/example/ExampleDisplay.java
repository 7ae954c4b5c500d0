package com.brevanto.qovin.example;

import com.brevanto.qovin.display.XPlaneDrawCallbackHelper;
import com.brevanto.qovin.display.XPlaneWindowHelper;
import com.brevanto.qovin.graphics.XPlaneGraphics;
import java.util.function.Consumer;
import java.util.logging.Logger;

/**
 * The example's display: a floating window that shows how often it was clicked
 * and the last key typed into it (a click gives it the keyboard focus), and a
 * line of text drawn over the cockpit after the simulator draws its windows.
 */
final class ExampleDisplay {
    private static final Logger LOG = Logger.getLogger("qovin.example");
    private static final float[] WHITE = {1f, 1f, 1f};
    private static final float[] AMBER = {1f, 0.75f, 0.2f};

    private final class Panel extends XPlaneWindowHelper {
        private int clicks;
        private String lastKey = "none";
        // Kept from frame to frame: drawing allocates nothing.
        private final int[] g = new int[4];
        private final StringBuilder line = new StringBuilder(64);

        @Override
        public void drawWindowCallback() {
            geometry(g);
            XPlaneGraphics.drawTranslucentDarkBox(g[0], g[1], g[2], g[3]);
            line.setLength(0);
            line.append("clicks: ").append(clicks).append(", last key: ").append(lastKey);
            XPlaneGraphics.drawString(WHITE, g[0] + 10, g[1] - 20, line, g[2] - g[0] - 20, XPlaneGraphics.FONT_BASIC);
        }

        @Override
        public int mouseClickCallback(int x, int y, int mouseStatus) {
            if (mouseStatus == MOUSE_DOWN) {
                clicks++;
                takeFocus();
                LOG.info(String.format("window clicked at %d, %d; it takes the keyboard", x, y));
            }
            return 1;
        }

        @Override
        public void keyPressedCallback(byte key, int flags, byte virtualKey, boolean losingFocus) {
            if (losingFocus) {
                LOG.info("window lost the keyboard");
            } else if ((flags & DOWN_FLAG) != 0) {
                lastKey = String.valueOf((char) (key & 0xFF));
                LOG.info("window got key '" + lastKey + "'");
            }
        }
    }

    private final class Overlay extends XPlaneDrawCallbackHelper {
        private final StringBuilder line = new StringBuilder(64);

        @Override
        public int callback(int phase, boolean before) {
            line.setLength(0);
            status.accept(line);
            XPlaneGraphics.drawString(AMBER, 20, 40, line, 400, XPlaneGraphics.FONT_PROPORTIONAL);
            return 1;
        }
    }

    /** Writes the overlay's line, each frame, into the builder it is given. */
    private final Consumer<StringBuilder> status;
    private final Panel panel = new Panel();
    private final Overlay overlay = new Overlay();
    private long overlayRef;

    ExampleDisplay(Consumer<StringBuilder> status) {
        this.status = status;
    }

    void start() {
        panel.create(100, 400, 400, 300, true, true, XPlaneWindowHelper.LAYER_FLOATING_WINDOWS);
        panel.setTitle("qovin example");
        panel.setResizingLimits(200, 80, 800, 400);
        overlayRef = overlay.register(XPlaneDrawCallbackHelper.PHASE_LAST_COCKPIT, false);
    }

    void stop() {
        overlay.unregister(overlayRef);
        panel.destroy();
    }
}
