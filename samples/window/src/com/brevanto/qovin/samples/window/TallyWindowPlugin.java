package com.brevanto.qovin.samples.window;

import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.display.HotKey;
import com.brevanto.qovin.display.XPlaneWindowHelper;
import com.brevanto.qovin.graphics.XPlaneGraphics;

/**
 * A tally window: clicking in it counts the clicks (and takes the keyboard),
 * keys typed while it has the keyboard are written out, and the mouse wheel
 * turns a dial from 0 to 10. It draws its state each frame, as
 * "clicks: 2, dial: 5, typed: qv". Control-T shows and hides it.
 */
public class TallyWindowPlugin implements XPlanePlugin {
    /** Where the window opens, in global desktop boxels. */
    public static final int LEFT = 100;
    public static final int TOP = 400;
    public static final int RIGHT = 400;
    public static final int BOTTOM = 300;
    private static final float[] WHITE = {1, 1, 1};
    /** The hot key's virtual key: T. */
    public static final int TOGGLE_KEY = 'T';

    private HotKey toggle;

    private int clicks;
    private int dial = 5;
    private final StringBuilder typed = new StringBuilder();
    /** The line drawn, refilled each frame: drawing it allocates nothing. */
    private final StringBuilder line = new StringBuilder(64);

    private final XPlaneWindowHelper window = new XPlaneWindowHelper() {
        private final int[] corners = new int[4];

        @Override
        public void drawWindowCallback() {
            int[] box = geometry(corners);
            XPlaneGraphics.drawString(WHITE, box[0] + 10, box[1] - 20, state(line), 0, XPlaneGraphics.FONT_BASIC);
        }

        @Override
        public int mouseClickCallback(int x, int y, int mouseStatus) {
            if (mouseStatus == MOUSE_DOWN) {
                clicks++;
                takeFocus();
            }
            return 1;
        }

        @Override
        public void keyPressedCallback(byte key, int flags, byte virtualKey, boolean losingFocus) {
            if (!losingFocus && (flags & DOWN_FLAG) != 0) {
                typed.append((char) (key & 0xFF));
            }
        }

        @Override
        public int mouseWheelCallback(int x, int y, int wheel, int turned) {
            dial = Math.max(0, Math.min(10, dial + turned));
            return 1;
        }
    };

    /** What the window shows. */
    public String state() {
        return state(new StringBuilder()).toString();
    }

    private StringBuilder state(StringBuilder into) {
        into.setLength(0);
        return into.append("clicks: ").append(clicks).append(", dial: ").append(dial).append(", typed: ").append(typed);
    }

    @Override
    public void start() {
        window.create(LEFT, TOP, RIGHT, BOTTOM, true, true, XPlaneWindowHelper.LAYER_FLOATING_WINDOWS);
        window.setTitle("Tally");
        toggle = HotKey.register(TOGGLE_KEY, XPlaneWindowHelper.CONTROL_FLAG, "Show or hide the tally window",
                () -> window.setVisible(!window.isVisible()));
    }

    @Override
    public void stop() {
        toggle.close();
        window.destroy();
    }
}
