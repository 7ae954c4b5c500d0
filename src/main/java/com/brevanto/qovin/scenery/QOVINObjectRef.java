package com.brevanto.qovin.scenery;

/** A scenery object loaded by the simulator, as an asynchronous load delivers it. */
public interface QOVINObjectRef {
    /** The simulator's handle, 0 if the load failed. */
    long getHandle();

    /** Whether the object was loaded and has not been unloaded. */
    boolean isLoaded();

    /** Draws the object once at a local position, its rotations taken in earth axes (north, up). */
    void draw(float x, float y, float z, float pitch, float heading, float roll);

    /** Draws the object once per record of {@code locations}, its rotations taken in local axes. */
    void drawInstances(XPlaneDrawInfo locations);

    /**
     * Releases this load of the object; later calls do nothing. Drawing it
     * afterwards, or creating an instance of it, throws
     * {@link IllegalStateException}.
     */
    void unload();
}
