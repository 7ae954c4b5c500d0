package com.brevanto.qovin.scenery;

/**
 * A scenery object loaded by the simulator. Draw it from a drawing callback;
 * unload it once it is no longer needed. After {@link #unload()} drawing it
 * does nothing.
 */
public final class XPlaneObjectRef implements QOVINObjectRef {
    private final long handle;
    private boolean unloaded;

    /** Wraps the simulator's handle {@code handle} (0: no object). */
    public XPlaneObjectRef(long handle) {
        this.handle = handle;
    }

    @Override
    public long getHandle() {
        return handle;
    }

    @Override
    public boolean isLoaded() {
        return handle != 0 && !unloaded;
    }

    @Override
    public void draw(float x, float y, float z, float pitch, float heading, float roll) {
        if (isLoaded()) {
            drawN(handle, x, y, z, pitch, heading, roll);
        }
    }

    @Override
    public void drawInstances(XPlaneDrawInfo locations) {
        if (isLoaded()) {
            drawInstancesN(handle, locations.size(), locations.address());
        }
    }

    @Override
    public void unload() {
        if (isLoaded()) {
            unloaded = true;
            unloadN(handle);
        }
    }

    @Override
    public String toString() {
        return "XPlaneObjectRef[" + Long.toHexString(handle) + (isLoaded() ? "]" : ", not loaded]");
    }

    private static native void unloadN(long objRefPtr);

    private static native void drawN(long objRefPtr, float x, float y, float z, float pitch, float heading,
            float roll);

    private static native void drawInstancesN(long objRefPtr, int drawInfoSize, long drawInfoPtr);
}
