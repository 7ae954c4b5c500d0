package com.brevanto.qovin.scenery;

/** A scenery object loaded by the simulator, as an asynchronous load delivers it. */
public interface QOVINObjectRef {
    /**
     * The simulator's handle, 0 if the load failed.
     *
     * @return the handle
     */
    long getHandle();

    /**
     * Whether the object was loaded and has not been unloaded.
     *
     * @return true while loaded
     */
    boolean isLoaded();

    /**
     * Draws the object once at a local position, its rotations taken in earth axes (north, up).
     *
     * @param x local x, metres
     * @param y local y, metres
     * @param z local z, metres
     * @param pitch pitch, degrees
     * @param heading heading, degrees
     * @param roll roll, degrees
     */
    void draw(float x, float y, float z, float pitch, float heading, float roll);

    /**
     * Draws the object once per record of {@code locations}, its rotations taken in local axes.
     *
     * @param locations where to draw it
     */
    void drawInstances(XPlaneDrawInfo locations);

    /**
     * Releases this load of the object; later calls do nothing. Drawing it
     * afterwards, or creating an instance of it, throws
     * {@link IllegalStateException}.
     */
    void unload();
}
