package com.brevanto.qovin.map;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registration;
import com.brevanto.qovin.Registrations;
import java.util.concurrent.CopyOnWriteArrayList;

/**
 * The simulator's maps: whether one is open, and word of each one that opens. The simulator cannot take back a
 * creation hook, so the library registers one, for as long as qovin is loaded, the first time a listener is added,
 * and hands each map to the listeners present then; a removed listener is let go.
 */
public final class XPlaneMap {
    static {
        initialize();
    }

    /** The Map window. */
    public static final String USER_INTERFACE = "XPLM_MAP_USER_INTERFACE";
    /** The Instructor Operator Station's map. */
    public static final String IOS = "XPLM_MAP_IOS";

    private static final CopyOnWriteArrayList<MapCreationListener> LISTENERS = new CopyOnWriteArrayList<>();

    private XPlaneMap() {
    }

    /**
     * Whether the map is open now (layers can be created in it).
     *
     * @param mapIdentifier the map, such as {@link #USER_INTERFACE}; null answers false
     * @return true if it exists
     */
    public static boolean exists(String mapIdentifier) {
        HostThread.check();
        return existsN(mapIdentifier);
    }

    /**
     * Calls {@code listener} for each map the simulator opens from now on (not those open already: check
     * {@link #exists} for those). The plugin's stop removes it too.
     *
     * @param listener what is told
     * @return the registration; {@code close()} removes the listener
     */
    public static Registration onMapCreated(MapCreationListener listener) {
        HostThread.check();
        if (listener == null) {
            throw new NullPointerException("listener");
        }
        registerHookN();
        Object key = new Object();
        LISTENERS.add(listener);
        Registrations.add(key, () -> LISTENERS.remove(listener));
        return new Registration(() -> {
            LISTENERS.remove(listener);
            Registrations.remove(key);
        });
    }

    /**
     * Number of creation listeners.
     *
     * @return the number of listeners present
     */
    public static int listenerCount() {
        return LISTENERS.size();
    }

    // Called by the library's creation hook. One failing listener does not keep the others from their call: the
    // first exception is thrown after all were called (the others suppressed in it), for the library to report.
    private static void mapCreated(String mapIdentifier) {
        RuntimeException failure = null;
        for (MapCreationListener listener : LISTENERS) {
            try {
                listener.mapCreated(mapIdentifier);
            } catch (RuntimeException e) {
                if (failure == null) {
                    failure = e;
                } else {
                    failure.addSuppressed(e);
                }
            }
        }
        if (failure != null) {
            throw failure;
        }
    }

    private static native void initialize();

    static native boolean existsN(String mapIdentifier);

    static native void registerHookN();
}
