package com.brevanto.qovin;

import java.nio.file.Path;
import java.util.IdentityHashMap;
import java.util.Map;

/**
 * Who a Java plugin is and where it lives: its name, signature and
 * description (from its jar's manifest), its own folder, and the simulator's
 * folders. {@link #current()} gives the context of the plugin whose code is
 * running.
 */
public final class PluginContext {
    private static final Map<ClassLoader, PluginContext> BY_LOADER = new IdentityHashMap<>();

    private final String name;
    private final String signature;
    private final String description;
    private final Path folder;
    private final Path systemPath;

    /**
     * Made by the host for each plugin it loads.
     *
     * @param name the plugin's name
     * @param signature the plugin's signature
     * @param description what the plugin does
     * @param folder the plugin's own folder
     * @param systemPath the simulator's folder
     */
    public PluginContext(String name, String signature, String description, Path folder, Path systemPath) {
        this.name = name;
        this.signature = signature;
        this.description = description;
        this.folder = folder;
        this.systemPath = systemPath;
    }

    /**
     * The plugin's name, as the host's menu and log lines show it.
     *
     * @return the name (Qovin-Plugin-Name, else the jar's name)
     */
    public String name() {
        return name;
    }

    /**
     * The plugin's signature, unique among Java plugins (e.g. "com.example.altimeter").
     *
     * @return the signature (Qovin-Plugin-Signature, else "qovin." and the jar's name)
     */
    public String signature() {
        return signature;
    }

    /**
     * The plugin's description (Qovin-Plugin-Description).
     *
     * @return the description, empty if the manifest gives none
     */
    public String description() {
        return description;
    }

    /**
     * The plugin's own folder, for its files (created on first use).
     *
     * @return {@code plugins/<jar name>/} in qovin's folder
     */
    public Path folder() {
        folder.toFile().mkdirs();
        return folder;
    }

    /**
     * The simulator's folder (X-Plane's root).
     *
     * @return the simulator's root folder
     */
    public Path systemPath() {
        return systemPath;
    }

    /**
     * The simulator's preferences folder (Output/preferences in its root).
     *
     * @return the preferences folder
     */
    public Path preferencesPath() {
        return systemPath.resolve("Output").resolve("preferences");
    }

    /**
     * The context of the plugin whose code is calling, or null outside the
     * host (a plugin run on its own, a test).
     *
     * @return the calling plugin's context, or null
     */
    public static PluginContext current() {
        ClassLoader owner = Registrations.callingOwner();
        synchronized (BY_LOADER) {
            return owner == null ? null : BY_LOADER.get(owner);
        }
    }

    /**
     * Binds {@code context} to the plugin classes of {@code loader}; null unbinds.
     *
     * @param loader the class loader of the plugin's classes
     * @param context the plugin's context, or null
     */
    public static void bind(ClassLoader loader, PluginContext context) {
        synchronized (BY_LOADER) {
            if (context == null) {
                BY_LOADER.remove(loader);
            } else {
                BY_LOADER.put(loader, context);
            }
        }
    }

    @Override
    public String toString() {
        return name + " (" + signature + ")";
    }
}
