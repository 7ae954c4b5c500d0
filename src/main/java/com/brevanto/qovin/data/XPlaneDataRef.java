package com.brevanto.qovin.data;

import com.brevanto.qovin.HostThread;
import java.nio.charset.StandardCharsets;

/**
 * A dataref of the simulator or of another plugin, found by its path.
 *
 * <pre>
 * XPlaneDataRef lat = XPlaneDataRef.find("sim/flightmodel/position/latitude");
 * double latitude = lat.getDouble();
 * </pre>
 *
 * Reads of a type the dataref does not offer give 0; writes to a read-only
 * dataref are ignored by the simulator. Array reads through
 * {@link #getFloatArray(int, float[])}, {@link #getIntArray(int, int[])} and
 * {@link #getData(int, byte[])} deliver at most 1024 elements per call.
 */
public class XPlaneDataRef {
    /** Type bits of {@link #getTypes()}; a dataref may offer several. */
    public static final int TYPE_UNKNOWN = 0;
    public static final int TYPE_INT = 1;
    public static final int TYPE_FLOAT = 2;
    public static final int TYPE_DOUBLE = 4;
    public static final int TYPE_FLOAT_ARRAY = 8;
    public static final int TYPE_INT_ARRAY = 16;
    public static final int TYPE_DATA = 32;

    /** Java-backed datarefs registered now; the shared native resources exist while there are any. */
    private static int publishedCount;

    /** The simulator's handle, 0 if none. */
    protected long dataRefPtr;

    /** Looks the dataref up; {@link #isValid()} tells whether it was found. */
    public XPlaneDataRef(String path) {
        HostThread.check();
        this.dataRefPtr = findDataRef(path);
    }

    /** Wraps a handle obtained elsewhere. */
    protected XPlaneDataRef(long dataRefPtr) {
        this.dataRefPtr = dataRefPtr;
    }

    /** The dataref at {@code path}, or null if the simulator has none. */
    public static XPlaneDataRef find(String path) {
        XPlaneDataRef ref = new XPlaneDataRef(path);
        return ref.isValid() ? ref : null;
    }

    public boolean isValid() {
        return dataRefPtr != 0;
    }

    /** The simulator's handle. */
    public long getHandle() {
        return dataRefPtr;
    }

    public int getInt() {
        HostThread.check();
        return getIntValueN(dataRefPtr);
    }

    public void setInt(int value) {
        HostThread.check();
        setIntValueN(dataRefPtr, value);
    }

    public float getFloat() {
        HostThread.check();
        return getFloatValueN(dataRefPtr);
    }

    public void setFloat(float value) {
        HostThread.check();
        setFloatValueN(dataRefPtr, value);
    }

    public double getDouble() {
        HostThread.check();
        return getDoubleValueN(dataRefPtr);
    }

    public void setDouble(double value) {
        HostThread.check();
        setDoubleValueN(dataRefPtr, value);
    }

    /** Reads elements from {@code offset} on into {@code buf}; returns how many arrived. */
    public int getFloatArray(int offset, float[] buf) {
        HostThread.check();
        return getFloatArrayValueN(dataRefPtr, offset, buf);
    }

    /** Writes all of {@code values} to elements {@code offset} on. */
    public void setFloatArray(int offset, float[] values) {
        HostThread.check();
        setFloatArrayValueN(dataRefPtr, values, offset, values.length);
    }

    /** Writes the first {@code count} of {@code values} (at most all of them). */
    public void setFloatArray(int offset, float[] values, int count) {
        HostThread.check();
        setFloatArrayValueN(dataRefPtr, values, offset, count);
    }

    public int getIntArray(int offset, int[] buf) {
        HostThread.check();
        return getIntArrayValueN(dataRefPtr, offset, buf);
    }

    public void setIntArray(int offset, int[] values) {
        HostThread.check();
        setIntArrayValueN(dataRefPtr, values, offset, values.length);
    }

    public void setIntArray(int offset, int[] values, int count) {
        HostThread.check();
        setIntArrayValueN(dataRefPtr, values, offset, count);
    }

    public int getData(int offset, byte[] buf) {
        HostThread.check();
        return getDataValueN(dataRefPtr, offset, buf);
    }

    public void setData(int offset, byte[] values) {
        HostThread.check();
        setDataValueN(dataRefPtr, values, offset, values.length);
    }

    public void setData(int offset, byte[] values, int count) {
        HostThread.check();
        setDataValueN(dataRefPtr, values, offset, count);
    }

    /** A byte dataref read as text: its bytes up to the first zero byte, as UTF-8. */
    public String getString() {
        byte[] bytes = new byte[Math.min(Math.max(getDataSize(), 0), 1024)];
        int count = getData(0, bytes);
        int end = 0;
        while (end < count && bytes[end] != 0) {
            end++;
        }
        return new String(bytes, 0, end, StandardCharsets.UTF_8);
    }

    /** Writes {@code text} as UTF-8 followed by a zero byte. */
    public void setString(String text) {
        byte[] utf8 = text.getBytes(StandardCharsets.UTF_8);
        byte[] terminated = new byte[utf8.length + 1];
        System.arraycopy(utf8, 0, terminated, 0, utf8.length);
        setData(0, terminated);
    }

    public int getFloatArraySize() {
        HostThread.check();
        return getFloatArraySizeN(dataRefPtr);
    }

    public int getIntArraySize() {
        HostThread.check();
        return getIntArraySizeN(dataRefPtr);
    }

    /** Size of a byte dataref, in bytes. */
    public int getDataSize() {
        HostThread.check();
        return getDataSizeN(dataRefPtr);
    }

    /** The {@code TYPE_*} bits the dataref offers. */
    public int getTypes() {
        HostThread.check();
        return getTypes(dataRefPtr);
    }

    public boolean canWrite() {
        HostThread.check();
        return canWrite(dataRefPtr);
    }

    /** Creates the resources Java-backed datarefs share, before the first one is registered. */
    static void acquireShared() {
        if (publishedCount++ == 0) {
            initialize();
        }
    }

    /** Releases them after the last one is unregistered. */
    static void releaseShared() {
        if (--publishedCount == 0) {
            destroy();
        }
    }

    native long findDataRef(String path);

    private static native void initialize();

    private static native void destroy();

    native long registerDataAccessor(String name, int type, boolean writable, DataReadAccessor readAccessor,
            DataWriteAccessor writeAccessor);

    native void unregisterDataAccessor(long dataRefPtr, long readRef, long writeRef);

    native long registerDirectFloatDataAccessor(String name, long bufferPos);

    native long registerDirectIntDataAccessor(String name, long bufferPos);

    native long registerDirectDoubleDataAccessor(String name, long bufferPos);

    native long[] registerDirectFloatArrayDataAccessor(String name, Object jbuf);

    native long[] registerDirectIntArrayDataAccessor(String name, Object jbuf);

    native void floatBufferReallocated(Object floatBuffer);

    native void intBufferReallocated(Object jintBuffer);

    native void doubleBufferReallocated(Object jdoubleBuffer);

    native void unregisterDirectArrayDataAccessor(long dataRefPtr, long directBufInfoPtr);

    static native int getIntValueN(long dataRefPtr);

    static native void setIntValueN(long dataRefPtr, int value);

    static native float getFloatValueN(long dataRefPtr);

    static native void setFloatValueN(long dataRefPtr, float value);

    static native double getDoubleValueN(long dataRefPtr);

    static native void setDoubleValueN(long dataRefPtr, double value);

    static native int getFloatArrayValueN(long dataRefPtr, int offset, float[] buf);

    static native void setFloatArrayValueN(long dataRefPtr, float[] value, int offset, int size);

    static native int getIntArrayValueN(long dataRefPtr, int offset, int[] buf);

    static native void setIntArrayValueN(long dataRefPtr, int[] value, int offset, int size);

    static native int getDataValueN(long dataRefPtr, int offset, byte[] buf);

    static native void setDataValueN(long dataRefPtr, byte[] value, int offset, int size);

    static native int getIntArraySizeN(long dataRefPtr);

    static native int getFloatArraySizeN(long dataRefPtr);

    static native int getDataSizeN(long dataRefPtr);

    static native int getTypes(long dataRefPtr);

    static native boolean canWrite(long dataRefPtr);
}
