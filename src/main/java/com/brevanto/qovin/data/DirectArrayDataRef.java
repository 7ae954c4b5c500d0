package com.brevanto.qovin.data;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registrations;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.FloatBuffer;
import java.nio.IntBuffer;

/**
 * A float or int array that Java publishes as a dataref, kept in a direct
 * buffer of its own: the simulator's and other plugins' reads and writes are
 * plain memory copies, with no call into Java. Reads past the end are cut,
 * writes past the end dropped.
 */
public final class DirectArrayDataRef extends XPlaneDataRef {
    private final FloatBuffer floats;
    private final IntBuffer ints;
    private long bufferInfo;

    private DirectArrayDataRef(String name, FloatBuffer floats, IntBuffer ints) {
        super(0L);
        this.floats = floats;
        this.ints = ints;
        long[] registration = floats != null ? registerDirectFloatArrayDataAccessor(name, floats)
                : registerDirectIntArrayDataAccessor(name, ints);
        this.dataRefPtr = registration[0];
        this.bufferInfo = registration[1];
        if (bufferInfo != 0) {
            Registrations.add(this, this::unregister);
        }
    }

    /**
     * Publishes a writable float array dataref of {@code size} elements, all 0.
     *
     * @param name the dataref's name, e.g. "myplugin/fuel_kg"
     * @param size the number of elements
     * @return the dataref; {@link #isValid()} is false if the name was refused
     */
    public static DirectArrayDataRef publishFloats(String name, int size) {
        HostThread.check();
        return new DirectArrayDataRef(name, allocate(size, Float.BYTES).asFloatBuffer(), null);
    }

    /**
     * Publishes a writable int array dataref of {@code size} elements, all 0.
     *
     * @param name the dataref's name
     * @param size the number of elements
     * @return the dataref; {@link #isValid()} is false if the name was refused
     */
    public static DirectArrayDataRef publishInts(String name, int size) {
        HostThread.check();
        return new DirectArrayDataRef(name, null, allocate(size, Integer.BYTES).asIntBuffer());
    }

    /**
     * The values, for Java to read and write (float arrays; null for int arrays).
     *
     * @return the direct buffer the dataref is served from
     */
    public FloatBuffer floats() {
        return floats;
    }

    /**
     * The values (int arrays; null for float arrays).
     *
     * @return the direct buffer the dataref is served from
     */
    public IntBuffer ints() {
        return ints;
    }

    /** Withdraws the dataref; later calls do nothing. The buffer stays usable from Java. */
    public synchronized void unregister() {
        HostThread.check();
        if (bufferInfo == 0) {
            return;
        }
        unregisterDirectArrayDataAccessor(dataRefPtr, bufferInfo);
        bufferInfo = 0;
        Registrations.remove(this);
    }

    private static ByteBuffer allocate(int size, int width) {
        return ByteBuffer.allocateDirect(Math.max(0, size) * width).order(ByteOrder.nativeOrder());
    }
}
