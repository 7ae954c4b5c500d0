package com.brevanto.qovin.data;

import com.brevanto.qovin.HostThread;
import java.nio.charset.StandardCharsets;
import java.util.function.IntFunction;

/**
 * A dataref of the simulator or of another plugin, found by its path.
 *
 * <pre>
 * XPlaneDataRef lat = XPlaneDataRef.find("sim/flightmodel/position/latitude");
 * double latitude = lat.getDouble();
 * </pre>
 *
 * Reads of a type the dataref does not offer give 0; writes to a read-only
 * dataref are ignored by the simulator. Arrays of any length are read and
 * written whole: a native call takes at most 1024 elements, so a longer array
 * goes in pieces of 1024, at offset, offset + 1024 and so on; an array of up
 * to 1024 elements takes one call, and so does a negative offset (handed to
 * the simulator as it is).
 */
public class XPlaneDataRef {
    /** Type bits of {@link #getTypes()}; a dataref may offer several. */
    public static final int TYPE_UNKNOWN = 0;
    /** An int. */
    public static final int TYPE_INT = 1;
    /** A float. */
    public static final int TYPE_FLOAT = 2;
    /** A double. */
    public static final int TYPE_DOUBLE = 4;
    /** An array of floats. */
    public static final int TYPE_FLOAT_ARRAY = 8;
    /** An array of ints. */
    public static final int TYPE_INT_ARRAY = 16;
    /** A block of bytes (often a text). */
    public static final int TYPE_DATA = 32;

    /** The most elements one native array read or write takes. */
    static final int PIECE = 1024;

    /** Java-backed datarefs registered now; the shared native resources exist while there are any. */
    private static int publishedCount;

    /** The simulator's handle, 0 if none. */
    protected long dataRefPtr;

    /**
     * Looks the dataref up; {@link #isValid()} tells whether it was found.
     *
     * @param path the dataref's path, e.g. "sim/flightmodel/position/elevation"
     */
    public XPlaneDataRef(String path) {
        HostThread.check();
        this.dataRefPtr = findDataRef(path);
    }

    /**
     * Wraps a handle obtained elsewhere.
     *
     * @param dataRefPtr the simulator's handle, 0 for none
     */
    protected XPlaneDataRef(long dataRefPtr) {
        this.dataRefPtr = dataRefPtr;
    }

    /**
     * The dataref at {@code path}, or null if the simulator has none.
     *
     * @param path the dataref's path
     * @return the dataref, or null
     */
    public static XPlaneDataRef find(String path) {
        XPlaneDataRef ref = new XPlaneDataRef(path);
        return ref.isValid() ? ref : null;
    }

    /**
     * Whether the simulator knows the dataref.
     *
     * @return true if found (or published)
     */
    public boolean isValid() {
        return dataRefPtr != 0;
    }

    /**
     * The simulator's handle.
     *
     * @return the handle, 0 if none
     */
    public long getHandle() {
        return dataRefPtr;
    }

    /**
     * Reads the value as an int.
     *
     * @return the value, 0 if the dataref offers no int
     */
    public int getInt() {
        HostThread.check();
        return getIntValueN(dataRefPtr);
    }

    /**
     * Writes the value as an int.
     *
     * @param value the new value
     */
    public void setInt(int value) {
        HostThread.check();
        setIntValueN(dataRefPtr, value);
    }

    /**
     * Reads the value as a float.
     *
     * @return the value, 0 if the dataref offers no float
     */
    public float getFloat() {
        HostThread.check();
        return getFloatValueN(dataRefPtr);
    }

    /**
     * Writes the value as a float.
     *
     * @param value the new value
     */
    public void setFloat(float value) {
        HostThread.check();
        setFloatValueN(dataRefPtr, value);
    }

    /**
     * Reads the value as a double.
     *
     * @return the value, 0 if the dataref offers no double
     */
    public double getDouble() {
        HostThread.check();
        return getDoubleValueN(dataRefPtr);
    }

    /**
     * Writes the value as a double.
     *
     * @param value the new value
     */
    public void setDouble(double value) {
        HostThread.check();
        setDoubleValueN(dataRefPtr, value);
    }

    /**
     * Reads elements from {@code offset} on into {@code buf} until it is full or the
     * dataref has no more; returns how many arrived.
     *
     * @param offset the first element wanted
     * @param buf where the elements go, from index 0 on
     * @return the number of elements read
     */
    public int getFloatArray(int offset, float[] buf) {
        HostThread.check();
        if (buf == null || buf.length <= PIECE || offset < 0) {
            return getFloatArrayValueN(dataRefPtr, offset, buf);
        }
        return readInPieces(dataRefPtr, offset, buf, buf.length, float[]::new, XPlaneDataRef::getFloatArrayValueN);
    }

    /**
     * Writes all of {@code values} to elements {@code offset} on.
     *
     * @param offset the first element written
     * @param values the values
     */
    public void setFloatArray(int offset, float[] values) {
        setFloatArray(offset, values, values == null ? 0 : values.length);
    }

    /**
     * Writes the first {@code count} of {@code values} (at most all of them).
     *
     * @param offset the first element written
     * @param values the values
     * @param count how many of them to write
     */
    public void setFloatArray(int offset, float[] values, int count) {
        HostThread.check();
        if (values == null || count <= PIECE || values.length <= PIECE || offset < 0) {
            setFloatArrayValueN(dataRefPtr, values, offset, count);
            return;
        }
        writeInPieces(dataRefPtr, offset, values, Math.min(count, values.length), float[]::new,
                XPlaneDataRef::setFloatArrayValueN);
    }

    /**
     * Reads elements from {@code offset} on into {@code buf} until it is full or the
     * dataref has no more; returns how many arrived.
     *
     * @param offset the first element wanted
     * @param buf where the elements go, from index 0 on
     * @return the number of elements read
     */
    public int getIntArray(int offset, int[] buf) {
        HostThread.check();
        if (buf == null || buf.length <= PIECE || offset < 0) {
            return getIntArrayValueN(dataRefPtr, offset, buf);
        }
        return readInPieces(dataRefPtr, offset, buf, buf.length, int[]::new, XPlaneDataRef::getIntArrayValueN);
    }

    /**
     * Writes all of {@code values} to elements {@code offset} on.
     *
     * @param offset the first element written
     * @param values the values
     */
    public void setIntArray(int offset, int[] values) {
        setIntArray(offset, values, values == null ? 0 : values.length);
    }

    /**
     * Writes the first {@code count} of {@code values} (at most all of them).
     *
     * @param offset the first element written
     * @param values the values
     * @param count how many of them to write
     */
    public void setIntArray(int offset, int[] values, int count) {
        HostThread.check();
        if (values == null || count <= PIECE || values.length <= PIECE || offset < 0) {
            setIntArrayValueN(dataRefPtr, values, offset, count);
            return;
        }
        writeInPieces(dataRefPtr, offset, values, Math.min(count, values.length), int[]::new,
                XPlaneDataRef::setIntArrayValueN);
    }

    /**
     * Reads bytes from {@code offset} on into {@code buf} until it is full or the
     * dataref has no more; returns how many arrived.
     *
     * @param offset the first byte wanted
     * @param buf where the bytes go, from index 0 on
     * @return the number of bytes read
     */
    public int getData(int offset, byte[] buf) {
        HostThread.check();
        if (buf == null || buf.length <= PIECE || offset < 0) {
            return getDataValueN(dataRefPtr, offset, buf);
        }
        return readInPieces(dataRefPtr, offset, buf, buf.length, byte[]::new, XPlaneDataRef::getDataValueN);
    }

    /**
     * Writes all of {@code values} to bytes {@code offset} on.
     *
     * @param offset the first byte written
     * @param values the bytes
     */
    public void setData(int offset, byte[] values) {
        setData(offset, values, values == null ? 0 : values.length);
    }

    /**
     * Writes the first {@code count} of {@code values} (at most all of them).
     *
     * @param offset the first byte written
     * @param values the bytes
     * @param count how many of them to write
     */
    public void setData(int offset, byte[] values, int count) {
        HostThread.check();
        if (values == null || count <= PIECE || values.length <= PIECE || offset < 0) {
            setDataValueN(dataRefPtr, values, offset, count);
            return;
        }
        writeInPieces(dataRefPtr, offset, values, Math.min(count, values.length), byte[]::new,
                XPlaneDataRef::setDataValueN);
    }

    /**
     * A byte dataref read as text: its bytes up to the first zero byte, as UTF-8.
     *
     * @return the text, empty if there is none
     */
    public String getString() {
        byte[] bytes = new byte[Math.min(Math.max(getDataSize(), 0), 1024)];
        int count = getData(0, bytes);
        int end = 0;
        while (end < count && bytes[end] != 0) {
            end++;
        }
        return new String(bytes, 0, end, StandardCharsets.UTF_8);
    }

    /**
     * Writes {@code text} as UTF-8 followed by a zero byte.
     *
     * @param text the text
     */
    public void setString(String text) {
        byte[] utf8 = text.getBytes(StandardCharsets.UTF_8);
        byte[] terminated = new byte[utf8.length + 1];
        System.arraycopy(utf8, 0, terminated, 0, utf8.length);
        setData(0, terminated);
    }

    /**
     * Number of elements of a float array dataref.
     *
     * @return the number of elements
     */
    public int getFloatArraySize() {
        HostThread.check();
        return getFloatArraySizeN(dataRefPtr);
    }

    /**
     * Number of elements of an int array dataref.
     *
     * @return the number of elements
     */
    public int getIntArraySize() {
        HostThread.check();
        return getIntArraySizeN(dataRefPtr);
    }

    /**
     * Size of a byte dataref, in bytes.
     *
     * @return the size in bytes
     */
    public int getDataSize() {
        HostThread.check();
        return getDataSizeN(dataRefPtr);
    }

    /**
     * The {@code TYPE_*} bits the dataref offers.
     *
     * @return the type bits
     */
    public int getTypes() {
        HostThread.check();
        return getTypes(dataRefPtr);
    }

    /**
     * Whether the handle is still good: false once the dataref must be found
     * again (its publisher withdrew it), and for a handle that was never found.
     *
     * @return true while the simulator knows the handle
     */
    public boolean isGood() {
        HostThread.check();
        return isGoodN(dataRefPtr);
    }

    /**
     * Whether the dataref may be written.
     *
     * @return true if writable
     */
    public boolean canWrite() {
        HostThread.check();
        return canWrite(dataRefPtr);
    }

    /** A native array read: elements from an offset on into the start of an array. */
    private interface PieceReader<A> {
        int read(long dataRefPtr, int offset, A piece);
    }

    /** A native array write: the first {@code size} elements of an array to elements from an offset on. */
    private interface PieceWriter<A> {
        void write(long dataRefPtr, A piece, int offset, int size);
    }

    /**
     * Fills {@code buf} ({@code length} elements) in pieces of at most {@link #PIECE},
     * each read into a piece array and copied over, until it is full, a piece
     * brings fewer than asked, or the next offset would pass {@code Integer.MAX_VALUE}.
     */
    private static <A> int readInPieces(long dataRefPtr, int offset, A buf, int length, IntFunction<A> make,
            PieceReader<A> reader) {
        A piece = make.apply(PIECE);
        int total = 0;
        while (total < length && offset <= Integer.MAX_VALUE - total) {
            int asked = Math.min(PIECE, length - total);
            if (asked < PIECE) {
                piece = make.apply(asked);
            }
            int got = reader.read(dataRefPtr, offset + total, piece);
            if (got > 0) {
                System.arraycopy(piece, 0, buf, total, got);
                total += got;
            }
            if (got < asked) {
                break;
            }
        }
        return total;
    }

    /**
     * Writes the first {@code count} of {@code values} in pieces of at most
     * {@link #PIECE}, until all are written or the next offset would pass
     * {@code Integer.MAX_VALUE}.
     */
    private static <A> void writeInPieces(long dataRefPtr, int offset, A values, int count, IntFunction<A> make,
            PieceWriter<A> writer) {
        A piece = make.apply(PIECE);
        for (int done = 0; done < count && offset <= Integer.MAX_VALUE - done; done += PIECE) {
            int size = Math.min(PIECE, count - done);
            System.arraycopy(values, done, piece, 0, size);
            writer.write(dataRefPtr, piece, offset + done, size);
        }
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

    static native boolean isGoodN(long dataRefPtr);
}
