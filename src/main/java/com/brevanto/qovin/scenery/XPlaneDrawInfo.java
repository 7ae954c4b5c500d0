package com.brevanto.qovin.scenery;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registrations;
import java.util.Objects;

/**
 * A native array of locations, handed to the simulator without copying: to
 * draw an object at each of them ({@link QOVINObjectRef#drawInstances}) or to
 * place an instance at one of them ({@link XPlaneInstance#setPosition}).
 * Locations hold no defined value until set. Free it with {@link #free()}.
 */
public final class XPlaneDrawInfo implements QOVINDrawInfo, AutoCloseable {
    private static final int RECORD_BYTES = 28;

    private final int size;
    private long address;

    /**
     * An array of {@code size} locations.
     *
     * @param size the number of locations
     * @throws IllegalArgumentException if {@code size} is negative
     */
    public XPlaneDrawInfo(int size) {
        HostThread.check();
        if (size < 0) {
            throw new IllegalArgumentException("negative size " + size);
        }
        this.size = size;
        this.address = allocateDrawInfoStruct(size);
        if (address == 0) {
            throw new OutOfMemoryError("cannot allocate " + size + " draw locations");
        }
        Registrations.add(this, this::free);
    }

    @Override
    public int size() {
        return size;
    }

    @Override
    public DrawInfoEntry get(int index) {
        HostThread.check();
        return getEntry(address(), Objects.checkIndex(index, size));
    }

    @Override
    public void set(int index, float x, float y, float z, float pitch, float heading, float roll) {
        HostThread.check();
        setEntry(address(), Objects.checkIndex(index, size), x, y, z, pitch, heading, roll);
    }

    /** Releases the native array; later calls do nothing, other uses throw. */
    public synchronized void free() {
        HostThread.check();
        if (address != 0) {
            freeDrawInfoStruct(address, size);
            address = 0;
            Registrations.remove(this);
        }
    }

    @Override
    public void close() {
        free();
    }

    /** The address of the first location. */
    long address() {
        if (address == 0) {
            throw new IllegalStateException("draw locations freed");
        }
        return address;
    }

    /** The address of location {@code index}. */
    long addressOf(int index) {
        return address() + (long) Objects.checkIndex(index, size) * RECORD_BYTES;
    }

    private static native long allocateDrawInfoStruct(int size);

    private static native void freeDrawInfoStruct(long jdrawInfoPtr, int size);

    private static native DrawInfoEntry getEntry(long jdrawInfoPtr, int index);

    private static native void setEntry(long jdrawInfoPtr, int index, float x, float y, float z, float pitch,
            float heading, float roll);
}
