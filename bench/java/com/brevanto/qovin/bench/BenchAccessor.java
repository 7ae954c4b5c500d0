package com.brevanto.qovin.bench;

import com.brevanto.qovin.data.DataReadAccessor;
import com.brevanto.qovin.data.DataWriteAccessor;

/** A float and a float array of 1024 elements, read and written through Java. */
public final class BenchAccessor implements DataReadAccessor, DataWriteAccessor {
    private float value = 1.5f;
    private final float[] values = new float[1024];

    @Override
    public float readFloat() {
        return value;
    }

    /** The read as a static method, for timing a static upcall against a virtual one. */
    public static float readFloatOf(BenchAccessor accessor) {
        return accessor.value;
    }

    @Override
    public void writeFloat(float v) {
        value = v;
    }

    @Override
    public int getFloatArraySize() {
        return values.length;
    }

    @Override
    public int readFloatArray(int offset, float[] buf) {
        if (offset < 0 || offset >= values.length) {
            return 0;
        }
        int count = Math.min(values.length - offset, buf.length);
        System.arraycopy(values, offset, buf, 0, count);
        return count;
    }
}
