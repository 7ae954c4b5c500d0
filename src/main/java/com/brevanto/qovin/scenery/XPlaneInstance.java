package com.brevanto.qovin.scenery;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registrations;
/**
 * An instance of a loaded object: placed by a location plus one value per
 * dataref name given at its creation, which drive the object's animations.
 * Set its position from a flight loop, not while drawing. The object must
 * stay loaded until the instance is destroyed.
 */
public final class XPlaneInstance {
    private static final float[] NO_VALUES = new float[0];

    private final int datarefCount;
    private long handle;
    private XPlaneDrawInfo ownLocation;

    private XPlaneInstance(long handle, int datarefCount) {
        this.handle = handle;
        this.datarefCount = datarefCount;
    }

    /**
     * Creates an instance of {@code object} whose values are those of
     * {@code datarefs}, in that order. Returns null if the simulator creates
     * none (an object whose load failed, a null name). An object already
     * unloaded throws {@link IllegalStateException}.
     *
     * @param object the object
     * @param datarefs the names of the datarefs whose values animate it
     * @return the instance, or null
     */
    public static XPlaneInstance create(QOVINObjectRef object, String... datarefs) {
        HostThread.check();
        if (object.getHandle() != 0 && !object.isLoaded()) {
            throw new IllegalStateException("object unloaded");
        }
        String[] names = datarefs == null ? new String[0] : datarefs.clone();
        long handle = createInstance(object.getHandle(), names);
        if (handle == 0) {
            return null;
        }
        XPlaneInstance instance = new XPlaneInstance(handle, names.length);
        Registrations.add(instance, instance::destroy);
        return instance;
    }

    /**
     * The simulator's handle, 0 once destroyed.
     *
     * @return the handle
     */
    public long getHandle() {
        return handle;
    }

    /**
     * The number of values each position takes.
     *
     * @return the number of dataref names
     */
    public int datarefCount() {
        return datarefCount;
    }

    /**
     * Places the instance at location {@code index} of {@code locations},
     * with one value per dataref name (at least {@link #datarefCount()}).
     *
     * @param locations the locations
     * @param index the location to use
     * @param values the dataref values, in the order of the names
     * @throws IllegalArgumentException if there are fewer values than names
     */
    public void setPosition(XPlaneDrawInfo locations, int index, float... values) {
        HostThread.check();
        float[] data = values == null ? NO_VALUES : values;
        if (data.length < datarefCount) {
            throw new IllegalArgumentException(datarefCount + " values needed, " + data.length + " given");
        }
        setPosition(live(), locations.addressOf(index), data);
    }

    /**
     * Places the instance at the local position and rotation given, with its values.
     *
     * @param x local x, metres
     * @param y local y, metres
     * @param z local z, metres
     * @param pitch pitch, degrees
     * @param heading heading, degrees
     * @param roll roll, degrees
     * @param values the dataref values, in the order of the names
     * @throws IllegalArgumentException if there are fewer values than names
     */
    public void setPosition(float x, float y, float z, float pitch, float heading, float roll, float... values) {
        HostThread.check();
        live();
        if (ownLocation == null) {
            ownLocation = new XPlaneDrawInfo(1);
        }
        ownLocation.set(0, x, y, z, pitch, heading, roll);
        setPosition(ownLocation, 0, values);
    }

    /** Removes the instance; later calls do nothing, other uses throw {@link IllegalStateException}. */
    public void destroy() {
        HostThread.check();
        if (handle != 0) {
            destroyInstance(handle);
            handle = 0;
            Registrations.remove(this);
        }
        if (ownLocation != null) {
            ownLocation.free();
            ownLocation = null;
        }
    }

    private long live() {
        if (handle == 0) {
            throw new IllegalStateException("instance destroyed");
        }
        return handle;
    }

    private static native long createInstance(long objRef, String[] datarefs);

    private static native void destroyInstance(long iref);

    private static native void setPosition(long iref, long diPtr, float[] refValues);
}
