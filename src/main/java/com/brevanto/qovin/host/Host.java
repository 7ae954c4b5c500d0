package com.brevanto.qovin.host;

import com.brevanto.qovin.Registrations;
import com.brevanto.qovin.XPlanePluginHelper;
import com.brevanto.qovin.menu.MenuItem;
import com.brevanto.qovin.menu.XPlaneMenu;
import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;
import com.brevanto.qovin.util.XPlaneCommandRef;
import java.io.IOException;
import java.nio.file.DirectoryStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.Collections;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import java.util.function.Consumer;
import java.util.logging.Level;

/**
 * The host of the Java plugins inside qovin.xpl: X-Plane's plugin calls
 * arrive here (the static methods), and go to every Java plugin in turn. A
 * plugin whose constructor, start or enable throws is logged and left out; the
 * others run. A callback that throws is reported once with its stack trace,
 * then only counted; a plugin whose callbacks failed {@code max_failures}
 * times (qovin.ini, 100 by default) is disabled and what it registered is
 * released. Everything a plugin left registered is released when it stops.
 */
public final class Host {
    /** The command that reloads every Java plugin. */
    public static final String RELOAD_COMMAND = "qovin/reload_plugins";

    private static Host instance;

    private final Path folder;
    private final Path systemPath;
    private final HostSettings settings;
    private final HostLog log;
    private final List<JavaPlugin> plugins = new ArrayList<>();
    private final Map<String, Integer> reported = new HashMap<>();
    private final int maxFailures;
    private boolean enabled;
    private boolean reloadRequested;
    private XPlaneCommandRef reloadCommand;
    private XPlaneMenu menu;
    private Tick tick;

    private Host(Path folder, Path systemPath, HostSettings settings, HostLog log) {
        this.folder = folder;
        this.systemPath = systemPath;
        this.settings = settings;
        this.log = log;
        this.maxFailures = Math.max(1, settings.number("max_failures", 100));
    }

    // --- X-Plane's calls ----------------------------------------------------------

    /**
     * XPluginStart: loads the bridge, then creates and starts every Java plugin.
     *
     * @param qovinFolder qovin's folder (Resources/plugins/qovin)
     * @param simulatorFolder the simulator's root folder
     * @return true if the host started
     */
    public static boolean start(String qovinFolder, String simulatorFolder) {
        Path folder = Paths.get(qovinFolder);
        Path system = Paths.get(simulatorFolder.isEmpty() ? "." : simulatorFolder);
        HostSettings settings = HostSettings.read(folder.resolve("qovin.ini"));
        try {
            XPlanePluginHelper.load(folder.resolve("lin_x64").resolve("libqovin.so").toString());
            Path logFile = Paths.get(settings.get("log_file", system.resolve("qovinLog.txt").toString()));
            HostLog log = new HostLog(logFile);
            log.capture(Level.parse(settings.get("log_level", "INFO").toUpperCase(java.util.Locale.ROOT)));
            instance = new Host(folder, system, settings, log);
            instance.startAll();
            return true;
        } catch (Throwable t) {
            if (XPlanePluginHelper.isLoaded()) {
                com.brevanto.qovin.util.XPlaneDebugStringImpl.debugString(
                        "qovin: the Java host failed to start: " + t + "\n");
            }
            t.printStackTrace();
            return false;
        }
    }

    /**
     * XPluginEnable: enables every started plugin.
     *
     * @return true if the host runs
     */
    public static boolean enable() {
        if (instance == null) {
            return false;
        }
        instance.enableAll();
        return true;
    }

    /** XPluginDisable. */
    public static void disable() {
        if (instance != null) {
            instance.disableAll();
        }
    }

    /** XPluginStop: stops every plugin and releases what it left; the JVM stays. */
    public static void stop() {
        if (instance != null) {
            instance.stopAll();
            instance.log.line("qovin", "stopped");
            instance = null;
        }
    }

    /**
     * XPluginReceiveMessage: to every enabled plugin.
     *
     * @param from the sender's plugin ID
     * @param message the message
     * @param param its parameter
     */
    public static void receiveMessage(int from, int message, long param) {
        if (instance == null) {
            return;
        }
        for (JavaPlugin p : instance.plugins) {
            if (p.state == JavaPlugin.State.ENABLED) {
                instance.call(p, "receiveMessage", () -> p.plugin.receiveMessage(from, message, param));
            }
        }
    }

    /**
     * How many class loaders of unloaded plugins are still reachable after
     * collecting garbage: 0 when unloading kept nothing of them.
     *
     * @return the number of class loaders still reachable
     */
    public static int oldLoadersAlive() {
        for (int i = 0; i < 10 && JavaPlugin.unloadedAlive() > 0; i++) {
            System.gc();
            try {
                Thread.sleep(20);
            } catch (InterruptedException e) {
                Thread.currentThread().interrupt();
            }
        }
        return JavaPlugin.unloadedAlive();
    }

    // --- the life cycle -------------------------------------------------------------

    private void startAll() {
        log.important("starting the Java plugins in " + folder.resolve("plugins") + " (log: " + log.path() + ")");
        XPlanePluginHelper.onCallbackFailure(failed());
        for (Path jar : jars()) {
            try {
                plugins.add(JavaPlugin.open(jar, folder.resolve("plugins"), systemPath));
            } catch (IOException e) {
                log.important("left out " + jar.getFileName() + ": " + e.getMessage());
            }
        }
        for (JavaPlugin p : plugins) {
            if (call(p, "constructor", p::create) && call(p, "start", () -> p.plugin.start())) {
                p.state = JavaPlugin.State.STARTED;
                log.line("qovin", "started " + p.context);
            } else {
                fail(p, "its constructor or start threw");
            }
        }
        installControls();
    }

    private void enableAll() {
        enabled = true;
        for (JavaPlugin p : plugins) {
            enableOne(p);
        }
        refreshMenu();
    }

    private void enableOne(JavaPlugin p) {
        if (p.state != JavaPlugin.State.STARTED && p.state != JavaPlugin.State.DISABLED) {
            return;
        }
        if (call(p, "enable", () -> p.plugin.enable())) {
            p.state = JavaPlugin.State.ENABLED;
        } else {
            fail(p, "its enable threw");
        }
    }

    private void disableAll() {
        for (JavaPlugin p : plugins) {
            disableOne(p);
        }
        enabled = false;
        refreshMenu();
    }

    private void disableOne(JavaPlugin p) {
        if (p.state == JavaPlugin.State.ENABLED) {
            call(p, "disable", () -> p.plugin.disable());
            p.state = JavaPlugin.State.DISABLED;
        }
    }

    private void stopAll() {
        for (JavaPlugin p : plugins) {
            disableOne(p);
        }
        for (int i = plugins.size() - 1; i >= 0; i--) {
            JavaPlugin p = plugins.get(i);
            if (p.runs()) {
                call(p, "stop", () -> p.plugin.stop());
                p.state = JavaPlugin.State.STOPPED;
            }
            int left = p.unload();
            if (left > 0) {
                log.line(p.name(), "released " + left + " registration(s) left behind at stop");
            }
        }
        plugins.clear();
        removeControls();
        XPlanePluginHelper.onCallbackFailure(null);
    }

    /** Disable, stop, release, close the class loaders, rescan, start, enable. */
    private void reload() {
        log.important("reloading the Java plugins");
        boolean wasEnabled = enabled;
        stopAll();
        startAll();
        if (wasEnabled) {
            enableAll();
        }
    }

    private List<Path> jars() {
        Path dir = folder.resolve("plugins");
        if (!Files.isDirectory(dir)) {
            return List.of();
        }
        List<Path> found = new ArrayList<>();
        try (DirectoryStream<Path> files = Files.newDirectoryStream(dir)) {
            for (Path f : files) {
                String name = f.toString();
                if (name.endsWith(".jar") || name.endsWith(".qovin")) {
                    found.add(f);
                }
            }
            Collections.sort(found);
            return found;
        } catch (IOException e) {
            log.important("cannot read " + dir + ": " + e.getMessage());
            return List.of();
        }
    }

    // --- containment ----------------------------------------------------------------

    /** Runs one call into a plugin; a Throwable is logged with the plugin's name and gives false. */
    private boolean call(JavaPlugin p, String what, ThrowingAction action) {
        try {
            action.run();
            return true;
        } catch (Throwable t) {
            log.line(p.name(), what + " threw: " + HostLog.stackTrace(t));
            return false;
        }
    }

    /** Leaves a plugin out: disabled, stopped if it started, and what it registered released. */
    private void fail(JavaPlugin p, String why) {
        boolean started = p.runs();
        disableOne(p);
        if (started) {
            call(p, "stop", () -> p.plugin.stop());
        }
        int left = Registrations.releaseAll(p.loader);
        Registrations.addOwner(p.loader);  // what it still does is recorded, and released at the end
        p.state = JavaPlugin.State.FAILED;
        log.important(p.name() + " is left out: " + why + (left > 0 ? "; released " + left + " registration(s)" : ""));
        refreshMenu();
    }

    /** The failure handler the bridge calls when a callback throws. */
    private Consumer<Throwable> failed() {
        return t -> {
            JavaPlugin p = ownerOf(t);
            String tag = p == null ? "qovin" : p.name();
            StackTraceElement[] frames = t.getStackTrace();
            String where = t.getClass().getName() + (frames.length > 0 ? " at " + frames[0] : "");
            int times = reported.merge(tag + " " + where, 1, Integer::sum);
            if (times == 1) {
                log.line(tag, "a callback threw (reported once, then counted): " + HostLog.stackTrace(t));
            }
            if (p != null && ++p.failures == maxFailures) {
                p.failing = true;  // disabled and released on the next frame, between callbacks
            }
        };
    }

    private JavaPlugin ownerOf(Throwable t) {
        for (StackTraceElement frame : t.getStackTrace()) {
            for (JavaPlugin p : plugins) {
                if (p.loader.getName().equals(frame.getClassLoaderName())) {
                    return p;
                }
            }
        }
        return null;
    }

    // --- the reload command, the menu and the host's frame ---------------------------

    private void installControls() {
        if (reloadCommand == null) {
            reloadCommand = new XPlaneCommandRef(RELOAD_COMMAND, "Reload the Java plugins (for plugin developers)") {
                @Override
                public boolean beforehandlerCallback(int phase) {
                    if (phase == PHASE_BEGIN) {
                        reloadRequested = true;
                    }
                    return false;
                }
            };
            reloadCommand.registerHandler(true);
        }
        if (tick == null) {
            tick = new Tick();
            tick.register(-1f);
        }
        refreshMenu();
    }

    private void removeControls() {
        if (reloadCommand != null) {
            reloadCommand.unregisterAllHandlers();
            reloadCommand = null;
        }
        if (tick != null) {
            tick.unregisterAll();
            tick = null;
        }
        if (menu != null) {
            menu.destroy();
            menu = null;
        }
    }

    /** The qovin menu: "Reload plugins", then one checkable item per plugin (checked: enabled). */
    private void refreshMenu() {
        if (!settings.flag("menu", true)) {
            return;
        }
        if (menu == null) {
            menu = XPlaneMenu.plugins().submenu("qovin");
        } else {
            menu.clear();
        }
        if (menu.handle() == 0) {
            return;
        }
        menu.add(new MenuItem("Reload plugins (developer)", () -> reloadRequested = true));
        menu.addSeparator();
        for (JavaPlugin p : plugins) {
            MenuItem item = new MenuItem(p.name(), () -> toggle(p));
            menu.add(item);
            menu.setCheck(item, p.state == JavaPlugin.State.ENABLED ? XPlaneMenu.CHECKED : XPlaneMenu.UNCHECKED);
        }
    }

    private void toggle(JavaPlugin p) {
        if (p.state == JavaPlugin.State.ENABLED) {
            disableOne(p);
        } else {
            enableOne(p);
        }
        refreshMenu();
    }

    /** The host's own flight loop: reloads and disables of failing plugins happen here, between callbacks. */
    private final class Tick extends XPlaneFlightLoopCallbackHelper {
        @Override
        public float callback(float sinceLastCall, float sinceLastLoop, int counter) {
            // By index: no iterator, so the tick allocates nothing before the JIT has compiled it.
            for (int i = 0; i < plugins.size(); i++) {
                JavaPlugin p = plugins.get(i);
                if (p.failing) {
                    p.failing = false;
                    fail(p, "its callbacks failed " + maxFailures + " times");
                }
            }
            if (reloadRequested) {
                reloadRequested = false;
                reload();
            }
            return -1f;
        }
    }

    private interface ThrowingAction {
        void run() throws Exception;
    }
}
