package com.brevanto.qovin.scenery;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registrations;
import java.util.Objects;

/** Loads scenery objects and creates terrain probes. */
public class XPlaneSceneryFactory {
    /** The probe type that finds the highest terrain on the vertical through a point. */
    public static final int PROBE_Y = 0;

    static {
        initialize();
    }

    /**
     * Loads the object at {@code path} (relative to the simulator's folder) at
     * once: the frame waits for the disk. Returns null if it cannot be loaded.
     * Each object returned must be unloaded once.
     *
     * @param path the OBJ file
     * @return the object, or null
     */
    public XPlaneObjectRef loadObject(String path) {
        HostThread.check();
        long handle = loadObjectN(Objects.requireNonNull(path, "path"));
        if (handle == 0) {
            return null;
        }
        XPlaneObjectRef object = new XPlaneObjectRef(handle);
        Registrations.add(object, object::unload);
        return object;
    }

    /**
     * Asks for the object at {@code path} to be loaded in the background and
     * returns at once. On a later frame {@code callback} receives the object,
     * exactly once (also when the load failed; see
     * {@link QOVINObjectRef#isLoaded()}). The callback is held until then.
     *
     * @param path the OBJ file
     * @param callback what receives the object
     */
    public void loadObjectAsync(String path, QOVINObjectLoadCallback callback) {
        HostThread.check();
        Objects.requireNonNull(callback, "callback");
        ClassLoader owner = Registrations.callingOwner();
        // The object is recorded under the plugin that asked for it; one that
        // arrives after that plugin is gone is unloaded at once.
        QOVINObjectLoadCallback delivery = object -> {
            if (object.isLoaded() && !Registrations.addFor(owner, object, object::unload)) {
                object.unload();
                return;
            }
            callback.objectLoaded(object);
        };
        loadObjectAsyncN(Objects.requireNonNull(path, "path"), owner == null ? callback : delivery);
    }

    /**
     * A new terrain probe of type {@link #PROBE_Y}, or null if the simulator gives none.
     *
     * @return the probe, or null
     */
    public XPlaneProbeRef createProbe() {
        return createProbe(PROBE_Y);
    }

    /**
     * A new terrain probe of {@code type}, or null if the simulator gives none.
     *
     * @param type the probe type ({@link #PROBE_Y})
     * @return the probe, or null
     */
    public XPlaneProbeRef createProbe(int type) {
        HostThread.check();
        long handle = createProbeN(type);
        if (handle == 0) {
            return null;
        }
        XPlaneProbeRef probe = new XPlaneProbeRef(handle);
        Registrations.add(probe, probe::destroy);
        return probe;
    }

    private static native void initialize();

    private native long loadObjectN(String objPath);

    private native void loadObjectAsyncN(String objPath, QOVINObjectLoadCallback jcallback);

    private native long createProbeN(int probeType);
}
