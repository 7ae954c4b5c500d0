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

    public PluginContext(String name, String signature, String description, Path folder, Path systemPath) {
        this.name = name;
        this.signature = signature;
        this.description = description;
        this.folder = folder;
        this.systemPath = systemPath;
    }

    /** The plugin's name, as the host's menu and log lines show it. */
    public String name() {
        return name;
    }

    /** The plugin's signature, unique among Java plugins (e.g. "com.example.altimeter"). */
    public String signature() {
        return signature;
    }

    public String description() {
        return description;
    }

    /** The plugin's own folder, for its files (created on first use). */
    public Path folder() {
        folder.toFile().mkdirs();
        return folder;
    }

    /** The simulator's folder (X-Plane's root). */
    public Path systemPath() {
        return systemPath;
    }

    /** The simulator's preferences folder (Output/preferences in its root). */
    public Path preferencesPath() {
        return systemPath.resolve("Output").resolve("preferences");
    }

    /**
     * The context of the plugin whose code is calling, or null outside the
     * host (a plugin run on its own, a test).
     */
    public static PluginContext current() {
        ClassLoader owner = Registrations.callingOwner();
        synchronized (BY_LOADER) {
            return owner == null ? null : BY_LOADER.get(owner);
        }
    }

    /** Binds {@code context} to the plugin classes of {@code loader}; null unbinds. */
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
