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
     *
     * @param libraryPath the library's path, or null
     */
    public static synchronized void load(String libraryPath) {
        if (loaded) {
            HostThread.check();
            return;
        }
        if (libraryPath == null) {
            System.loadLibrary("qovin");
        } else {
            System.load(libraryPath);
        }
        initNatives();
        HostThread.bind();
        loaded = true;
    }

    /**
     * Whether {@link #load(String)} has run.
     *
     * @return true once the bridge is loaded
     */
    public static synchronized boolean isLoaded() {
        return loaded;
    }

    /**
     * Sends every exception a Java callback throws (and the bridge clears) to
     * {@code handler} instead of printing it; null prints them again. The
     * handler runs on the simulator's main thread; what it throws is printed.
     *
     * @param handler what receives the exceptions, or null
     */
    public static void onCallbackFailure(java.util.function.Consumer<Throwable> handler) {
        HostThread.check();
        setFailureHandler(handler);
    }

    static native void setFailureHandler(java.util.function.Consumer<Throwable> handler);

    /** Binds the bridge to the calling thread and sets up the "QOVINNative" logger. */
    static native void initNatives();

    // --- other plugins -------------------------------------------------------

    /** The simulator's "no plugin" ID, and the ID that sends a message to every plugin. */
    public static final int NO_PLUGIN_ID = -1;

    /**
     * Sends {@code message} to {@code plugin} (or every plugin, for
     * {@link #NO_PLUGIN_ID}) with a text parameter: the receiver gets a pointer
     * to the text, terminated, valid while it handles the message. A null text
     * sends a null parameter.
     *
     * @param plugin the receiver's ID, or {@link #NO_PLUGIN_ID} for every plugin
     * @param message the message number
     * @param param the text, or null
     */
    public void sendMessage(int plugin, int message, String param) {
        HostThread.check();
        sendMessageS(plugin, message, param);
    }

    /**
     * Sends {@code message} with a byte block as parameter. The receiver gets a
     * pointer to the bytes and no length, so put what it needs to know about
     * the length in the bytes; they are followed by a zero byte if they hold
     * none. What the receiver writes into them is not copied back. A null array
     * sends a null parameter.
     *
     * @param plugin the receiver's ID, or {@link #NO_PLUGIN_ID} for every plugin
     * @param message the message number
     * @param param the bytes, or null
     */
    public void sendMessage(int plugin, int message, byte[] param) {
        HostThread.check();
        sendMessageB(plugin, message, param);
    }

    /**
     * Enables a plugin.
     *
     * @param plugin the plugin's ID
     */
    public static void enablePlugin(int plugin) {
        HostThread.check();
        enableN(plugin);
    }

    /**
     * Disables a plugin.
     *
     * @param plugin the plugin's ID
     */
    public static void disablePlugin(int plugin) {
        HostThread.check();
        disableN(plugin);
    }

    /**
     * Whether a plugin is enabled.
     *
     * @param plugin the plugin's ID
     * @return true if it is enabled
     */
    public static boolean isPluginEnabled(int plugin) {
        HostThread.check();
        return isEnabledN(plugin);
    }

    /**
     * The ID of the plugin with this signature, or {@link #NO_PLUGIN_ID}.
     *
     * @param signature the signature, e.g. "com.example.trafficboard"
     * @return the plugin's ID
     */
    public static int findPluginBySignature(String signature) {
        HostThread.check();
        return findPluginBySignatureN(signature);
    }

    /**
     * Name, path, signature and description of a plugin (empty texts for an unknown ID).
     *
     * @param plugin the plugin's ID
     * @return what the simulator tells about it
     */
    public static QOVINPluginInfo getPluginInfo(int plugin) {
        HostThread.check();
        return getPluginInfoN(plugin);
    }

    /**
     * The ID of the plugin that runs this JVM.
     *
     * @return the host plugin's ID
     */
    public static int getMyId() {
        HostThread.check();
        return getMyIdN();
    }

    native void sendMessageS(int plugin, int msg, String param);

    native void sendMessageB(int plugin, int msg, byte[] param);

    static native void enableN(int plugin);

    static native void disableN(int plugin);

    static native boolean isEnabledN(int plugin);

    static native int findPluginBySignatureN(String sig);

    static native QOVINPluginInfo getPluginInfoN(int pluginId);

    static native int getMyIdN();
}
