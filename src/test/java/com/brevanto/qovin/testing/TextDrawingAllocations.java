package com.brevanto.qovin.testing;

import com.brevanto.qovin.graphics.XPlaneGraphics;
import java.lang.management.ManagementFactory;

/** Java heap bytes that the allocation-free text forms of XPlaneGraphics take per call. */
public final class TextDrawingAllocations {
    private static final int CALLS = 10_000;
    // The first round warms up; of the others the least counts, so that a
    // one-time allocation of the JIT's does not: one per call would show in each.
    private static final int ROUNDS = 5;
    private static final com.sun.management.ThreadMXBean THREADS =
            (com.sun.management.ThreadMXBean) ManagementFactory.getThreadMXBean();

    private TextDrawingAllocations() {
    }

    /**
     * Bytes allocated by this thread over 10,000 draws of a StringBuilder refilled each time, after as
     * many to warm up (the least of four rounds).
     *
     * @return the bytes allocated
     */
    public static long stringBuilderDraws() {
        float[] color = {1f, 1f, 1f};
        StringBuilder text = new StringBuilder(64);
        long least = Long.MAX_VALUE;
        for (int round = 0; round < ROUNDS; round++) {
            long before = THREADS.getCurrentThreadAllocatedBytes();
            for (int i = 0; i < CALLS; i++) {
                text.setLength(0);
                text.append("ALT ").append(i);
                XPlaneGraphics.drawString(color, 10, 20, text, 0, XPlaneGraphics.FONT_BASIC);
            }
            long allocated = THREADS.getCurrentThreadAllocatedBytes() - before;
            if (round > 0) {
                least = Math.min(least, allocated);
            }
        }
        return least;
    }

    /**
     * Bytes allocated by this thread over 10,000 draws of a char array, after as many to warm up (the
     * least of four rounds).
     *
     * @return the bytes allocated
     */
    public static long charArrayDraws() {
        float[] color = {1f, 1f, 1f};
        char[] text = "HDG 270".toCharArray();
        long least = Long.MAX_VALUE;
        for (int round = 0; round < ROUNDS; round++) {
            long before = THREADS.getCurrentThreadAllocatedBytes();
            for (int i = 0; i < CALLS; i++) {
                text[4] = (char) ('0' + i % 10);
                XPlaneGraphics.drawChars(color, 10, 20, text, text.length, 200, XPlaneGraphics.FONT_BASIC);
            }
            long allocated = THREADS.getCurrentThreadAllocatedBytes() - before;
            if (round > 0) {
                least = Math.min(least, allocated);
            }
        }
        return least;
    }
}
