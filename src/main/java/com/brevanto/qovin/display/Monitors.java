package com.brevanto.qovin.display;

import com.brevanto.qovin.HostThread;
import java.util.ArrayList;
import java.util.List;

/**
 * The monitors the simulator knows: each with the index that
 * {@link XPlaneWindowHelper#setPositioningMode(int, int)} takes, and its bounds.
 */
public final class Monitors {
    private Monitors() {
    }

    /**
     * One monitor's bounds; top is above bottom.
     *
     * @param index the simulator's index of the monitor
     * @param left the left edge
     * @param top the top edge
     * @param right the right edge
     * @param bottom the bottom edge
     */
    public record Bounds(int index, int left, int top, int right, int bottom) {
    }

    /**
     * The monitors a full-screen simulator window covers, in global desktop
     * boxels (none while the simulator runs in a window).
     *
     * @return a new list
     */
    public static List<Bounds> global() {
        HostThread.check();
        return list(boundsGlobalN());
    }

    /**
     * Every monitor of the operating system, in its pixels.
     *
     * @return a new list
     */
    public static List<Bounds> os() {
        HostThread.check();
        return list(boundsOSN());
    }

    private static List<Bounds> list(int[] values) {
        List<Bounds> all = new ArrayList<>();
        for (int i = 0; values != null && i + 4 < values.length; i += 5) {
            all.add(new Bounds(values[i], values[i + 1], values[i + 2], values[i + 3], values[i + 4]));
        }
        return all;
    }

    private static native int[] boundsGlobalN();

    private static native int[] boundsOSN();
}
