package com.brevanto.qovin.host;

import com.brevanto.qovin.PluginContext;
import com.brevanto.qovin.Registrations;
import com.brevanto.qovin.XPlanePlugin;
import java.io.IOException;
import java.net.URL;
import java.net.URLClassLoader;
import java.nio.file.Path;
import java.util.jar.Attributes;
import java.util.jar.JarFile;

/**
 * One Java plugin: its jar, its own class loader (whose parent holds the API,
 * so the bridge is loaded once), its identity from the manifest, its state,
 * and how often its callbacks failed.
 */
final class JavaPlugin {
    /** The manifest attributes a plugin jar carries. */
    static final String CLASS = "Qovin-Plugin-Class";
    static final String NAME = "Qovin-Plugin-Name";
    static final String SIGNATURE = "Qovin-Plugin-Signature";
    static final String DESCRIPTION = "Qovin-Plugin-Description";

    enum State { LOADED, STARTED, ENABLED, DISABLED, FAILED, STOPPED }

    private static int loaders;
    private static final java.util.List<java.lang.ref.WeakReference<ClassLoader>> UNLOADED =
            new java.util.ArrayList<>();

    final Path jar;
    final PluginContext context;
    final String className;
    final URLClassLoader loader;
    XPlanePlugin plugin;
    State state = State.LOADED;
    int failures;
    boolean failing;

    private JavaPlugin(Path jar, PluginContext context, String className, URLClassLoader loader) {
        this.jar = jar;
        this.context = context;
        this.className = className;
        this.loader = loader;
    }

    /**
     * Reads the jar's manifest (or a ".qovin" descriptor) and makes its class
     * loader; the plugin is not created yet.
     */
    static JavaPlugin open(Path jar, Path pluginsFolder, Path systemPath) throws IOException {
        Attributes manifest;
        URL[] classPath;
        if (jar.toString().endsWith(".qovin")) {
            manifest = descriptor(jar);
            classPath = classPath(jar, manifest.getValue("Class-Path"));
        } else {
            try (JarFile file = new JarFile(jar.toFile())) {
                manifest = file.getManifest() == null ? new Attributes() : file.getManifest().getMainAttributes();
            }
            classPath = new URL[] {jar.toUri().toURL()};
        }
        String base = jar.getFileName().toString().replaceFirst("\\.(jar|qovin)$", "");
        String className = manifest.getValue(CLASS);
        if (className == null || className.isBlank()) {
            throw new IOException("its manifest names no " + CLASS);
        }
        String name = value(manifest, NAME, base);
        PluginContext context = new PluginContext(name, value(manifest, SIGNATURE, "qovin." + base),
                value(manifest, DESCRIPTION, ""), pluginsFolder.resolve(base), systemPath);
        URLClassLoader loader = new URLClassLoader("qovin plugin " + name + " #" + (++loaders),
                classPath, JavaPlugin.class.getClassLoader());
        Registrations.addOwner(loader);
        PluginContext.bind(loader, context);
        return new JavaPlugin(jar, context, className, loader);
    }

    /**
     * A plugin under development, named by a text file instead of a jar:
     * "class = ...", "classpath = a.jar:classes/" (relative to the file's
     * folder), and optionally "name", "signature" and "description".
     */
    private static Attributes descriptor(Path file) throws IOException {
        Attributes attributes = new Attributes();
        for (String line : java.nio.file.Files.readAllLines(file)) {
            int equals = line.indexOf('=');
            if (equals <= 0 || line.trim().startsWith("#")) {
                continue;
            }
            String key = line.substring(0, equals).trim();
            String value = line.substring(equals + 1).trim();
            String attribute = key.equals("class") ? CLASS : key.equals("name") ? NAME
                    : key.equals("signature") ? SIGNATURE : key.equals("description") ? DESCRIPTION
                    : key.equals("classpath") ? "Class-Path" : null;
            if (attribute != null) {
                attributes.putValue(attribute, value);
            }
        }
        return attributes;
    }

    private static URL[] classPath(Path file, String entries) throws IOException {
        if (entries == null || entries.isBlank()) {
            throw new IOException("it names no classpath");
        }
        String[] parts = entries.split(":");
        URL[] urls = new URL[parts.length];
        for (int i = 0; i < parts.length; i++) {
            urls[i] = file.getParent().resolve(parts[i].trim()).toUri().toURL();
        }
        return urls;
    }

    private static String value(Attributes manifest, String key, String fallback) {
        String value = manifest.getValue(key);
        return value == null || value.isBlank() ? fallback : value.trim();
    }

    /** Class loaders of unloaded plugins not yet collected. */
    static int unloadedAlive() {
        UNLOADED.removeIf(ref -> ref.get() == null);
        return UNLOADED.size();
    }

    String name() {
        return context.name();
    }

    boolean runs() {
        return state == State.STARTED || state == State.ENABLED || state == State.DISABLED;
    }

    /** Creates the plugin object with its constructor without arguments. */
    void create() throws ReflectiveOperationException {
        Class<? extends XPlanePlugin> type = Class.forName(className, true, loader).asSubclass(XPlanePlugin.class);
        plugin = type.getDeclaredConstructor().newInstance();
    }

    /** Releases what the plugin left registered, and closes its class loader; answers how much was left. */
    int unload() {
        int left = Registrations.releaseAll(loader);
        PluginContext.bind(loader, null);
        UNLOADED.add(new java.lang.ref.WeakReference<>(loader));
        plugin = null;
        try {
            loader.close();
        } catch (IOException e) {
            // the jar stays open until the loader is collected
        }
        return left;
    }
}
