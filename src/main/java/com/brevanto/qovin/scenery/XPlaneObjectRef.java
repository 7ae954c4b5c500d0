package com.brevanto.qovin.scenery;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registrations;
/**
 * A scenery object loaded by the simulator. Draw it from a drawing callback;
 * unload it once it is no longer needed. After {@link #unload()} its handle is
 * never used again: drawing it throws {@link IllegalStateException}, and so
 * does creating an instance of it. An object whose load failed (handle 0)
 * draws nothing.
 */
public final class XPlaneObjectRef implements QOVINObjectRef {
    private final long handle;
    private boolean unloaded;

    /**
     * Wraps the simulator's handle {@code handle} (0: no object).
     *
     * @param handle the handle
     */
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
        HostThread.check();
        if (live()) {
            drawN(handle, x, y, z, pitch, heading, roll);
        }
    }

    @Override
    public void drawInstances(XPlaneDrawInfo locations) {
        HostThread.check();
        if (live()) {
            drawInstancesN(handle, locations.size(), locations.address());
        }
    }

    /** Releases this load of the object; a second call does nothing. */
    @Override
    public void unload() {
        HostThread.check();
        if (isLoaded()) {
            unloaded = true;
            unloadN(handle);
            Registrations.remove(this);
        }
    }

    // Whether there is an object to draw; an unloaded one refuses.
    private boolean live() {
        if (unloaded) {
            throw new IllegalStateException("object unloaded");
        }
        return handle != 0;
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
