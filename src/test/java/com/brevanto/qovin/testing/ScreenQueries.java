package com.brevanto.qovin.testing;

import com.brevanto.qovin.display.Monitors;
import com.brevanto.qovin.graphics.XPlaneGraphics;

/** Monitors and text measurements as lines, for the native tests. */
public final class ScreenQueries {
    private ScreenQueries() {
    }

    /**
     * The monitors as lines "index left top right bottom".
     *
     * @param global the global list (else the operating system's)
     * @return the lines
     */
    public static String[] monitors(boolean global) {
        return (global ? Monitors.global() : Monitors.os()).stream()
                .map(b -> b.index() + " " + b.left() + " " + b.top() + " " + b.right() + " " + b.bottom())
                .toArray(String[]::new);
    }

    /**
     * The width of {@code text} in the font, measured as a StringBuilder.
     *
     * @param fontId the font
     * @param text the text
     * @return the width
     */
    public static float measureBuilder(int fontId, String text) {
        return XPlaneGraphics.measureString(fontId, new StringBuilder(text));
    }
}
