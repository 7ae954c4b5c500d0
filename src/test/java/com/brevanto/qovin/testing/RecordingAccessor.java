package com.brevanto.qovin.testing;

import com.brevanto.qovin.data.DataReadAccessor;
import com.brevanto.qovin.data.DataWriteAccessor;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;

/**
 * Serves reads from its fields and records every call as text ({@code quiet}:
 * only counts them). {@code count}, if not -1, replaces what the array reads
 * report; {@code fail} makes every call throw.
 */
public final class RecordingAccessor implements DataReadAccessor, DataWriteAccessor {
    public float floatValue;
    public int intValue;
    public double doubleValue;
    public float[] floats = new float[0];
    public int[] ints = new int[0];
    public byte[] bytes = new byte[0];
    public int count = -1;
    public boolean fail;
    public boolean quiet;
    public long callCount;
    private final List<String> calls = new ArrayList<>();

    public String[] calls() {
        return calls.toArray(new String[0]);
    }

    /** Copies what there is from {@code offset} on into {@code buf}; reports it, or {@code count}. */
    private int copyOut(Object source, int length, int offset, Object buf, int room) {
        int n = Math.max(0, Math.min(length - offset, room));
        if (offset >= 0 && n > 0) {
            System.arraycopy(source, offset, buf, 0, n);
        }
        return count != -1 ? count : n;
    }

    private void note(String call) {
        callCount++;
        if (!quiet) {
            calls.add(call);
        }
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
        return copyOut(floats, floats.length, offset, buf, buf.length);
    }

    @Override
    public void writeFloatArray(float[] values, int offset, int n) {
        note(quiet ? "" : "writeFloatArray " + Arrays.toString(values) + " " + offset + " " + n);
    }

    @Override
    public int getIntArraySize() {
        note("getIntArraySize");
        return ints.length;
    }

    @Override
    public int readIntArray(int offset, int[] buf) {
        note("readIntArray " + offset + " " + buf.length);
        return copyOut(ints, ints.length, offset, buf, buf.length);
    }

    @Override
    public void writeIntArray(int[] values, int offset, int n) {
        note(quiet ? "" : "writeIntArray " + Arrays.toString(values) + " " + offset + " " + n);
    }

    @Override
    public int getDataArraySize() {
        note("getDataArraySize");
        return bytes.length;
    }

    @Override
    public int readData(int offset, byte[] buf) {
        note("readData " + offset + " " + buf.length);
        return copyOut(bytes, bytes.length, offset, buf, buf.length);
    }

    @Override
    public void writeData(byte[] values, int offset, int n) {
        note(quiet ? "" : "writeData " + Arrays.toString(values) + " " + offset + " " + n);
    }

    @Override
    public int readInt() {
        note("readInt");
        return intValue;
    }

    @Override
    public void writeInt(int value) {
        note("writeInt " + value);
        intValue = value;
    }

    @Override
    public double readDouble() {
        note("readDouble");
        return doubleValue;
    }

    @Override
    public void writeDouble(double value) {
        note("writeDouble " + value);
        doubleValue = value;
    }
}
