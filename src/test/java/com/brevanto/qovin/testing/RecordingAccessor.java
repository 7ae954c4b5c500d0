package com.brevanto.qovin.testing;

import com.brevanto.qovin.data.DataReadAccessor;
import com.brevanto.qovin.data.DataWriteAccessor;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;

/**
 * Serves reads from its fields and records every call as text. {@code count},
 * if not -1, replaces what the array reads report; {@code fail} makes every
 * call throw.
 */
public final class RecordingAccessor implements DataReadAccessor, DataWriteAccessor {
    public float floatValue;
    public float[] floats = new float[0];
    public int count = -1;
    public boolean fail;
    private final List<String> calls = new ArrayList<>();

    public String[] calls() {
        return calls.toArray(new String[0]);
    }

    private void note(String call) {
        calls.add(call);
        if (fail) {
            throw new IllegalStateException("accessor failure");
        }
    }

    @Override
    public float readFloat() {
        note("readFloat");
        return floatValue;
    }

    @Override
    public void writeFloat(float value) {
        note("writeFloat " + value);
        floatValue = value;
    }

    @Override
    public int getFloatArraySize() {
        note("getFloatArraySize");
        return floats.length;
    }

    @Override
    public int readFloatArray(int offset, float[] buf) {
        note("readFloatArray " + offset + " " + buf.length);
        int n = Math.max(0, Math.min(floats.length - offset, buf.length));
        if (offset >= 0 && n > 0) {
            System.arraycopy(floats, offset, buf, 0, n);
        }
        return count != -1 ? count : n;
    }

    @Override
    public void writeFloatArray(float[] values, int offset, int n) {
        note("writeFloatArray " + Arrays.toString(values) + " " + offset + " " + n);
    }
}
