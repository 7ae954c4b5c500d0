package com.brevanto.qovin.samples.window;

import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.display.XPlaneWindowHelper;
import com.brevanto.qovin.graphics.XPlaneGraphics;

/**
 * A tally window: clicking in it counts the clicks (and takes the keyboard),
 * keys typed while it has the keyboard are written out, and the mouse wheel
 * turns a dial from 0 to 10. It draws its state each frame, as
 * "clicks: 2, dial: 5, typed: qv".
 */
public class TallyWindowPlugin implements XPlanePlugin {
    /** Where the window opens, in global desktop boxels. */
    public static final int LEFT = 100;
    public static final int TOP = 400;
    public static final int RIGHT = 400;
    public static final int BOTTOM = 300;
    private static final float[] WHITE = {1, 1, 1};

    private int clicks;
    private int dial = 5;
    private final StringBuilder typed = new StringBuilder();

    private final XPlaneWindowHelper window = new XPlaneWindowHelper() {
        @Override
        public void drawWindowCallback() {
            int[] box = geometry();
            XPlaneGraphics.drawString(WHITE, box[0] + 10, box[1] - 20, state(), 0, XPlaneGraphics.FONT_BASIC);
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
        return "clicks: " + clicks + ", dial: " + dial + ", typed: " + typed;
    }

    @Override
    public void start() {
        window.create(LEFT, TOP, RIGHT, BOTTOM, true, true, XPlaneWindowHelper.LAYER_FLOATING_WINDOWS);
        window.setTitle("Tally");
    }

    @Override
    public void stop() {
        window.destroy();
    }
}
