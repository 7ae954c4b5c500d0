package com.brevanto.qovin.testing;

import com.brevanto.qovin.data.XPlaneDataRef;

/**
 * Calls the typed getters and setters of {@link XPlaneDataRef} in loops long
 * enough for the JIT to compile them, so that a JVM that honours critical
 * natives switches to them.
 */
public final class CriticalCalls {
    private CriticalCalls() {
    }

    /** Reads the float array {@code rounds} times into {@code buf}; returns the last count. */
    public static int readFloats(String path, float[] buf, int rounds) {
        XPlaneDataRef ref = new XPlaneDataRef(path);
        int count = 0;
        for (int i = 0; i < rounds; i++) {
            count = ref.getFloatArray(0, buf);
        }
        return count;
    }

    /** Sets and reads back an int {@code rounds} times; returns the sum of what was read. */
    public static long roundTripInts(String path, int rounds) {
        XPlaneDataRef ref = new XPlaneDataRef(path);
        long sum = 0;
        for (int i = 0; i < rounds; i++) {
            ref.setInt(i);
            sum += ref.getInt();
        }
        return sum;
    }
}
