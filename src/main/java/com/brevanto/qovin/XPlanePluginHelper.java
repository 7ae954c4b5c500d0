package com.brevanto.qovin;

import java.util.List;

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

    /** The feature that calls draw callbacks in reflection passes too. */
    public static final String FEATURE_WANTS_REFLECTIONS = "XPLM_WANTS_REFLECTIONS";
    /** The feature that gives file paths in the system's own form (on Linux, unchanged). */
    public static final String FEATURE_USE_NATIVE_PATHS = "XPLM_USE_NATIVE_PATHS";

    /**
     * The IDs of every loaded plugin, enabled or not, in the simulator's order.
     *
     * @return a new array
     */
    public static int[] pluginIds() {
        HostThread.check();
        int count = Math.max(countPluginsN(), 0);
        int[] ids = new int[count];
        for (int i = 0; i < count; i++) {
            ids[i] = getNthPluginN(i);
        }
        return ids;
    }

    /**
     * The number of loaded plugins, enabled or not.
     *
     * @return the count
     */
    public static int countPlugins() {
        HostThread.check();
        return countPluginsN();
    }

    /**
     * The ID of the plugin at {@code index} (0 to {@link #countPlugins()} - 1), or {@link #NO_PLUGIN_ID}.
     *
     * @param index the index
     * @return the plugin's ID
     */
    public static int getNthPlugin(int index) {
        HostThread.check();
        return getNthPluginN(index);
    }

    /**
     * The ID of the plugin whose file is at this absolute path, or {@link #NO_PLUGIN_ID}.
     *
     * @param path the plugin file's absolute path
     * @return the plugin's ID
     */
    public static int findPluginByPath(String path) {
        HostThread.check();
        return findPluginByPathN(path);
    }

    /**
     * Asks the simulator to reload every plugin once the current callback has
     * returned: each is disabled, stopped and unloaded, then all start again.
     * The host plugin that runs Java plugins goes the same way: this plugin
     * too is disabled and stopped, and a new instance of it starts, in the same JVM.
     */
    public static void reloadPlugins() {
        HostThread.check();
        reloadPluginsN();
    }

    /**
     * Whether the simulator offers the feature {@code name}.
     *
     * @param name a feature, e.g. {@link #FEATURE_WANTS_REFLECTIONS}
     * @return true if it is offered
     */
    public static boolean hasFeature(String name) {
        HostThread.check();
        return hasFeatureN(name);
    }

    /**
     * Whether the feature is on. Features are set for the host plugin, so
     * they are shared by every Java plugin it runs.
     *
     * @param name a feature
     * @return true if it is on (false if not offered)
     */
    public static boolean isFeatureEnabled(String name) {
        HostThread.check();
        return isFeatureEnabledN(name);
    }

    /**
     * Turns a feature on or off (for every Java plugin: see {@link #isFeatureEnabled(String)}).
     * A feature the simulator does not offer is ignored.
     *
     * @param name a feature
     * @param enable whether it is on
     */
    public static void enableFeature(String name, boolean enable) {
        HostThread.check();
        enableFeatureN(name, enable);
    }

    /**
     * The names of every feature the simulator offers.
     *
     * @return a new list
     */
    public static List<String> features() {
        HostThread.check();
        String[] names = featuresN();
        return names == null ? List.of() : List.of(names);
    }

    static native int countPluginsN();

    static native int getNthPluginN(int index);

    static native int findPluginByPathN(String path);

    static native void reloadPluginsN();

    static native boolean hasFeatureN(String name);

    static native boolean isFeatureEnabledN(String name);

    static native void enableFeatureN(String name, boolean enable);

    static native String[] featuresN();

    native void sendMessageS(int plugin, int msg, String param);

    native void sendMessageB(int plugin, int msg, byte[] param);

    static native void enableN(int plugin);

    static native void disableN(int plugin);

    static native boolean isEnabledN(int plugin);

    static native int findPluginBySignatureN(String sig);

    static native QOVINPluginInfo getPluginInfoN(int pluginId);

    static native int getMyIdN();
}
