package com.brevanto.qovin.scenery;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registrations;
/** A terrain probe: finds the terrain on the vertical through a local point. */
public final class XPlaneProbeRef {
    private long handle;

    XPlaneProbeRef(long handle) {
        this.handle = handle;
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
     * Probes the terrain through the local point (x, y, z) and writes what it
     * found into {@code info}, which it returns. If no terrain is found every
     * value of {@code info} is 0.
     *
     * @param <T> the type of the result object
     * @param x local x, metres
     * @param y local y, metres
     * @param z local z, metres
     * @param info the result object, filled
     * @return {@code info}
     * @throws IllegalStateException if the probe was destroyed
     */
    public <T extends QOVINProbeInfo> T probe(float x, float y, float z, T info) {
        HostThread.check();
        if (handle == 0) {
            throw new IllegalStateException("probe destroyed");
        }
        probeTerrainXYZ_N(handle, info, x, y, z);
        return info;
    }

    /** Destroys the probe; a second call does nothing, probing afterwards throws {@link IllegalStateException}. */
    public void destroy() {
        HostThread.check();
        if (handle != 0) {
            destroyN(handle);
            handle = 0;
            Registrations.remove(this);
        }
    }

    private static native void probeTerrainXYZ_N(long probeRefPtr, QOVINProbeInfo probeInfo, float x, float y,
            float z);

    private static native void destroyN(long probeRefPtr);
}
