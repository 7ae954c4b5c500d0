package com.brevanto.qovinbench;

import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.data.DirectDataRef;
import com.brevanto.qovin.display.XPlaneDrawCallbackHelper;
import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;
import java.lang.management.ManagementFactory;

/**
 * A careless plugin: about 1 MB of garbage per frame. Its flight loop makes
 * new arrays and keeps each for 30 frames; its draw callback formats texts.
 * It publishes the bytes its callbacks allocated in the last frame.
 */
public class CarelessPlugin implements XPlanePlugin {
    private static final int KEPT_FRAMES = 30;
    private static final int ARRAYS_PER_FRAME = 64;
    private static final int LINES_PER_FRAME = 6000;

    private final float[][][] kept = new float[KEPT_FRAMES][][];
    private final com.sun.management.ThreadMXBean threads =
            (com.sun.management.ThreadMXBean) ManagementFactory.getThreadMXBean();
    private DirectDataRef bytesPerFrame;
    private long allocatedBefore;
    private int frame;
    private long drawHandle;
    private double sink;

    private final XPlaneFlightLoopCallbackHelper loop = new XPlaneFlightLoopCallbackHelper() {
        @Override
        public float callback(float sinceLastCall, float sinceLastLoop, int counter) {
            long now = threads.getCurrentThreadAllocatedBytes();
            bytesPerFrame.setFloat((float) (now - allocatedBefore));
            allocatedBefore = now;
            float[][] arrays = new float[ARRAYS_PER_FRAME][];
            for (int i = 0; i < arrays.length; i++) {
                arrays[i] = new float[2048 + (i & 7)];
                arrays[i][i] = counter;
            }
            kept[frame++ % KEPT_FRAMES] = arrays;
            return -1f;
        }
    };

    private final XPlaneDrawCallbackHelper draw = new XPlaneDrawCallbackHelper() {
        @Override
        public int callback(int phase, boolean before) {
            for (int i = 0; i < LINES_PER_FRAME; i++) {
                String line = "ALT " + (i * 3.5f) + " ft, frame " + frame;
                sink += line.length();
            }
            return 1;
        }
    };

    @Override
    public void start() {
        bytesPerFrame = DirectDataRef.publishFloat("qovinbench/careless/bytes_per_frame", 0);
    }

    @Override
    public void enable() {
        allocatedBefore = threads.getCurrentThreadAllocatedBytes();
        loop.register(-1f);
        drawHandle = draw.register(XPlaneDrawCallbackHelper.PHASE_WINDOW, false);
    }

    @Override
    public void disable() {
        loop.unregisterAll();
        draw.unregister(drawHandle);
    }

    @Override
    public void stop() {
        bytesPerFrame.unregister();
        System.out.println("careless: " + (long) sink + " characters formatted");
    }
}
