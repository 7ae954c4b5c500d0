package com.brevanto.qovin.host;

import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.Enumeration;
import java.util.List;
import java.util.jar.JarEntry;
import java.util.jar.JarFile;
import java.util.logging.Level;
import java.util.logging.Logger;
import java.util.stream.Collectors;
import java.util.stream.Stream;

/**
 * The program qovin.xpl runs in a java process of its own, in the background,
 * to make the class archive that later starts of the simulator map instead of
 * loading and verifying classes: it loads and links (without initialising, so
 * no plugin code runs) every class of qovin.jar and of each plugin jar, each
 * jar through a class loader of its own as the host makes them. The JVM,
 * started with {@code -XX:ArchiveClassesAtExit}, writes the archive when this
 * program ends. It also runs what the host's start runs without the
 * simulator (reading the settings, the log, opening each plugin jar), so the
 * classes that code makes on the fly are archived too.
 */
public final class ClassArchive {
    private ClassArchive() {
    }

    /**
     * Loads the classes.
     *
     * @param args qovin's folder (Resources/plugins/qovin)
     * @throws IOException if qovin.jar cannot be read
     */
    public static void main(String[] args) throws IOException {
        Path folder = Paths.get(args.length > 0 ? args[0] : ".");
        int classes = loadAll(folder.resolve("qovin.jar"), ClassArchive.class.getClassLoader());
        // The host's own start, as far as it runs without the simulator: the
        // settings, the log, and each plugin's class loader and manifest.
        HostSettings.read(folder.resolve("qovin.ini"));
        Path logFile = Files.createTempFile("qovin-class-archive", ".log");
        HostLog log = new HostLog(logFile);
        log.capture(Level.INFO);
        Logger.getLogger("qovin.archive").info("making the class archive");
        log.line("qovin", "a stack trace: " + HostLog.stackTrace(new IllegalStateException("not thrown")));
        for (Path jar : pluginJars(folder.resolve("plugins"))) {
            try {
                JavaPlugin plugin = JavaPlugin.open(jar, folder.resolve("plugins"), folder);
                classes += loadAll(jar, plugin.loader);
                log.line(plugin.name(), "loaded");
                plugin.unload();
            } catch (IOException e) {
                System.out.println("left out " + jar + ": " + e.getMessage());
            }
        }
        Files.deleteIfExists(logFile);
        System.out.println("loaded " + classes + " classes for the class archive");
    }

    private static List<Path> pluginJars(Path dir) throws IOException {
        if (!Files.isDirectory(dir)) {
            return new ArrayList<>();
        }
        try (Stream<Path> files = Files.list(dir)) {
            return files.filter(f -> f.toString().endsWith(".jar")).sorted().collect(Collectors.toList());
        }
    }

    /** Loads and links every class of the jar through the loader; answers how many. */
    private static int loadAll(Path jar, ClassLoader loader) throws IOException {
        int count = 0;
        try (JarFile file = new JarFile(jar.toFile())) {
            file.getManifest();
            for (Enumeration<JarEntry> entries = file.entries(); entries.hasMoreElements();) {
                String name = entries.nextElement().getName();
                if (!name.endsWith(".class") || name.endsWith("module-info.class")) {
                    continue;
                }
                try {
                    // getDeclaredFields links the class: only linked classes are archived.
                    Class.forName(name.substring(0, name.length() - 6).replace('/', '.'), false, loader)
                            .getDeclaredFields();
                    count++;
                } catch (LinkageError | ClassNotFoundException e) {
                    System.out.println("not archived: " + name + ": " + e);
                }
            }
        }
        return count;
    }
}
