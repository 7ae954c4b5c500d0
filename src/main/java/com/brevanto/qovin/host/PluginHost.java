package com.brevanto.qovin.host;

import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.XPlanePluginHelper;

/**
 * What a host needs to run a Java plugin: loads the bridge, creates the
 * plugin from its class name and passes the simulator's plugin calls on.
 */
public final class PluginHost {
    private final XPlanePlugin plugin;

    private PluginHost(XPlanePlugin plugin) {
        this.plugin = plugin;
    }

    /**
     * Loads the bridge from {@code libraryPath} (null: "qovin" from
     * java.library.path) and creates the plugin {@code pluginClass} with its
     * constructor without arguments.
     */
    public static PluginHost load(String libraryPath, String pluginClass) throws ReflectiveOperationException {
        XPlanePluginHelper.load(libraryPath);
        Class<? extends XPlanePlugin> type = Class.forName(pluginClass).asSubclass(XPlanePlugin.class);
        return new PluginHost(type.getDeclaredConstructor().newInstance());
    }

    public XPlanePlugin plugin() {
        return plugin;
    }

    public void start() {
        plugin.start();
    }

    public void enable() {
        plugin.enable();
    }

    public void disable() {
        plugin.disable();
    }

    public void stop() {
        plugin.stop();
    }

    public void receiveMessage(int fromPlugin, int message, long param) {
        plugin.receiveMessage(fromPlugin, message, param);
    }
}
