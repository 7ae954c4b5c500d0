package com.brevanto.qovin;

/**
 * Entry point of the bridge: loads the native library and prepares it for use.
 *
 * <p>Everything here, and every other class of the bridge, must be used from
 * the simulator's main thread: the thread that called {@link #load(String)}.
 */
public class XPlanePluginHelper {
    private static boolean loaded;

    /**
     * Loads the bridge library from {@code libraryPath} (or, if it is null, the
     * library "qovin" from {@code java.library.path}) and initialises it. Later
     * calls do nothing.
     */
    public static synchronized void load(String libraryPath) {
        if (loaded) {
            return;
        }
        if (libraryPath == null) {
            System.loadLibrary("qovin");
        } else {
            System.load(libraryPath);
        }
        initNatives();
        loaded = true;
    }

    /** Whether {@link #load(String)} has run. */
    public static synchronized boolean isLoaded() {
        return loaded;
    }

    /** Binds the bridge to the calling thread and sets up the "QOVINNative" logger. */
    static native void initNatives();
}
