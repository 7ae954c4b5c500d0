package com.brevanto.qovin.testing;

import com.brevanto.qovin.data.DataReadAccessor;
import com.brevanto.qovin.data.DataWriteAccessor;

/**
 * Serves array reads from its arrays, the way a careful publisher would (the
 * elements from {@code offset} on that fit the buffer), but reports what the
 * test scripts: {@code reportedCount} when {@code overrideCount} is set, and
 * {@code reportedSize} for size queries when {@code overrideSize} is set.
 * Keeps the last array write of each type.
 */
public final class ScriptedArrayAccessor implements DataReadAccessor, DataWriteAccessor {
    public float[] floats = new float[0];
    public int[] ints = new int[0];
    public byte[] bytes = new byte[0];
    public boolean overrideCount;
    public int reportedCount;
    public boolean overrideSize;
    public int reportedSize;

    public float[] writtenFloats;
    public int[] writtenInts;
    public byte[] writtenBytes;
    public int writtenOffset;
    public int writtenCount;
    public long writes;

    private int copyOut(Object source, int length, int offset, Object buf, int room) {
        int n = offset < 0 || offset >= length ? 0 : Math.min(length - offset, room);
        if (n > 0) {
            System.arraycopy(source, offset, buf, 0, n);
        }
        return overrideCount ? reportedCount : n;
    }

    private int size(int length) {
        return overrideSize ? reportedSize : length;
    }

    private void wrote(int offset, int n) {
        writtenOffset = offset;
        writtenCount = n;
        writes++;
    }

    @Override
    public int getFloatArraySize() {
        return size(floats.length);
    }

    @Override
    public int readFloatArray(int offset, float[] buf) {
        return copyOut(floats, floats.length, offset, buf, buf.length);
    }

    @Override
    public void writeFloatArray(float[] values, int offset, int n) {
        writtenFloats = values;
        wrote(offset, n);
    }

    @Override
    public int getIntArraySize() {
        return size(ints.length);
    }

    @Override
    public int readIntArray(int offset, int[] buf) {
        return copyOut(ints, ints.length, offset, buf, buf.length);
    }

    @Override
    public void writeIntArray(int[] values, int offset, int n) {
        writtenInts = values;
        wrote(offset, n);
    }

    @Override
    public int getDataArraySize() {
        return size(bytes.length);
    }

    @Override
    public int readData(int offset, byte[] buf) {
        return copyOut(bytes, bytes.length, offset, buf, buf.length);
    }

    @Override
    public void writeData(byte[] values, int offset, int n) {
        writtenBytes = values;
        wrote(offset, n);
    }
}
