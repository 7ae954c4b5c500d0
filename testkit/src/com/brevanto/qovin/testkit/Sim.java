package com.brevanto.qovin.testkit;

import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.XPlanePluginHelper;
import java.lang.management.GarbageCollectorMXBean;
import java.lang.management.ManagementFactory;
import java.lang.reflect.InvocationTargetException;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import org.opentest4j.AssertionFailedError;

/**
 * The simulated world of one test, handed in by {@link QovinSim}. Its methods
 * are what the simulator, the user or another plugin does: they run frames,
 * set and read datarefs, execute commands, click, type and pick menu items,
 * and answer what happened. They return the {@code Sim} (to chain) or a value,
 * never a simulator handle.
 *
 * <p>Datarefs are written as the simulator writes its own: read-only ones
 * included. A dataref a plugin published is read and written through its
 * accessors. {@link #asOtherPlugin()} does the same as another plugin would.
 *
 * <p>Whenever plugin code runs (a frame, a click, a command, a dataref read),
 * an exception one of its callbacks threw fails the test, with that
 * exception as its cause.
 */
public final class Sim {
    private final List<Throwable> failures = new ArrayList<>();
    private Run<?> running;

    private Sim() {
    }

    /** The stand-in back to its default world, and a new Sim for it. */
    static Sim reset() {
        StandIn.reset();
        Sim sim = new Sim();
        XPlanePluginHelper.onCallbackFailure(sim.failures::add);
        return sim;
    }

    /** After the test: stops a plugin still running and fails on what it left behind. */
    void finish() {
        Run<?> run = running;
        if (run != null) {
            run.stop();
        }
        rethrowFailures();
    }

    // --- plugins -------------------------------------------------------------

    /**
     * Creates the plugin with its constructor without arguments and runs it:
     * start, then enable. The {@link Run} stops it; a run still going at the
     * end of the test is stopped then.
     */
    public <P extends XPlanePlugin> Run<P> run(Class<P> pluginClass) {
        P plugin;
        try {
            plugin = pluginClass.getDeclaredConstructor().newInstance();
        } catch (InvocationTargetException e) {
            throw new AssertionFailedError("the constructor of " + pluginClass.getName() + " threw " + e.getCause(),
                    e.getCause());
        } catch (ReflectiveOperationException e) {
            throw new AssertionFailedError(pluginClass.getName() + " needs a public constructor without arguments",
                    e);
        }
        return run(plugin);
    }

    /** Runs this plugin: start, then enable. */
    public <P extends XPlanePlugin> Run<P> run(P plugin) {
        if (running != null) {
            throw new IllegalStateException(running.plugin().getClass().getName()
                    + " is still running: stop it before running another plugin");
        }
        Run<P> run = new Run<>(this, plugin);
        lifecycle(plugin, "start", plugin::start);
        running = run;
        lifecycle(plugin, "enable", plugin::enable);
        return run;
    }

    /** Calls one step of a plugin's life; what it throws fails the test. */
    void lifecycle(XPlanePlugin plugin, String step, Runnable action) {
        try {
            action.run();
        } catch (RuntimeException | Error e) {
            throw new AssertionFailedError(plugin.getClass().getName() + "." + step + " threw " + e, e);
        }
        rethrowFailures();
    }

    void ended(Run<?> run) {
        if (running == run) {
            running = null;
        }
    }

    // --- time ----------------------------------------------------------------

    /**
     * Runs {@code count} frames of {@code seconds} each: time advances, the
     * aircraft moves, commands held get their continue phase, flight loops
     * that are due run and the frame is drawn.
     */
    public Sim frames(int count, double seconds) {
        if (count < 0 || !(seconds >= 0)) {
            throw new IllegalArgumentException("frames(" + count + ", " + seconds + "): a count and seconds of 0 or more");
        }
        StandIn.runFrames(count, (float) seconds);
        return rethrowFailures();
    }

    /** Frames run since the test began. */
    public int frameCount() {
        return StandIn.frameCount();
    }

    /**
     * The garbage collections this JVM has run since it started, summed over
     * its collectors. The same number before and after many frames means the
     * frames made no collection necessary.
     */
    public long garbageCollections() {
        long count = 0;
        for (GarbageCollectorMXBean collector : ManagementFactory.getGarbageCollectorMXBeans()) {
            count += Math.max(0, collector.getCollectionCount());
        }
        return count;
    }

    // --- datarefs --------------------------------------------------------------

    /** Whether the simulator knows the dataref (its own, or one a plugin published). */
    public boolean hasDataRef(String name) {
        return StandIn.dataRefTypes(name) != 0;
    }

    /** Whether a plugin published the dataref. */
    public boolean isPublished(String name) {
        return hasDataRef(name) && StandIn.isPublished(name);
    }

    /** Sets a number dataref (int, float or double). */
    public Sim set(String name, double value) {
        if (published(name, NUMBER)) {
            StandIn.writeNumber(StandIn.SIMULATOR, name, value);
        } else {
            StandIn.setScalar(name, value);
        }
        return rethrowFailures();
    }

    /** Sets a float array dataref from element 0 on. */
    public Sim set(String name, float[] values) {
        if (published(name, FLOAT_ARRAY)) {
            StandIn.writeFloats(StandIn.SIMULATOR, name, values);
        } else {
            StandIn.setFloatArray(name, values);
        }
        return rethrowFailures();
    }

    /** Sets an int array dataref from element 0 on. */
    public Sim set(String name, int[] values) {
        if (published(name, INT_ARRAY)) {
            StandIn.writeInts(StandIn.SIMULATOR, name, values);
        } else {
            StandIn.setIntArray(name, values);
        }
        return rethrowFailures();
    }

    /** Sets a byte dataref to a text in UTF-8 with a zero byte after it, cut to the dataref's size. */
    public Sim setText(String name, String text) {
        byte[] bytes = terminated(text);
        if (published(name, DATA)) {
            StandIn.writeBytes(StandIn.SIMULATOR, name, bytes);
        } else {
            StandIn.setData(name, bytes);
        }
        return rethrowFailures();
    }

    /** A number dataref's value: read as double, else float, else int. */
    public double number(String name) {
        double value = published(name, NUMBER) ? StandIn.readNumber(StandIn.SIMULATOR, name) : StandIn.scalarValue(name);
        rethrowFailures();
        return value;
    }

    /** A float array dataref's elements. */
    public float[] floats(String name) {
        float[] values = published(name, FLOAT_ARRAY) ? StandIn.readFloats(StandIn.SIMULATOR, name)
                : StandIn.floatArrayValue(name);
        rethrowFailures();
        return values;
    }

    /** An int array dataref's elements. */
    public int[] ints(String name) {
        int[] values = published(name, INT_ARRAY) ? StandIn.readInts(StandIn.SIMULATOR, name)
                : StandIn.intArrayValue(name);
        rethrowFailures();
        return values;
    }

    /** A byte dataref's text: its bytes up to the first zero, as UTF-8. */
    public String text(String name) {
        byte[] bytes = published(name, DATA) ? StandIn.readBytes(StandIn.SIMULATOR, name) : StandIn.dataValue(name);
        rethrowFailures();
        return untilZero(bytes);
    }

    /** Reads and writes datarefs, and sends messages, as another plugin. */
    public OtherPlugin asOtherPlugin() {
        return new OtherPlugin(this);
    }

    static final int NUMBER = 1 | 2 | 4;
    static final int FLOAT_ARRAY = 8;
    static final int INT_ARRAY = 16;
    static final int DATA = 32;

    /** Checks that the dataref exists with one of {@code types}; answers whether a plugin published it. */
    private static boolean published(String name, int types) {
        checkType(name, types);
        return StandIn.isPublished(name);
    }

    static void checkType(String name, int types) {
        int has = StandIn.dataRefTypes(name);
        if (has == 0) {
            throw new IllegalArgumentException("the simulator knows no dataref " + name);
        }
        if ((has & types) == 0) {
            throw new IllegalArgumentException(name + " has type bits " + has + ", not " + types);
        }
    }

    static byte[] terminated(String text) {
        byte[] bytes = text.getBytes(StandardCharsets.UTF_8);
        return Arrays.copyOf(bytes, bytes.length + 1);
    }

    static String untilZero(byte[] bytes) {
        int end = 0;
        while (end < bytes.length && bytes[end] != 0) {
            end++;
        }
        return new String(bytes, 0, end, StandardCharsets.UTF_8);
    }

    // --- commands and messages -------------------------------------------------

    /** Whether the simulator knows the command (its own, or one a plugin created). */
    public boolean hasCommand(String name) {
        return StandIn.commandExists(name);
    }

    /** Executes a command once, as the user would: begin, then end. */
    public Sim command(String name) {
        StandIn.commandOnce(knownCommand(name));
        return rethrowFailures();
    }

    /** Starts holding a command: it gets its continue phase each frame until {@link #end}. */
    public Sim begin(String name) {
        StandIn.commandBegin(knownCommand(name));
        return rethrowFailures();
    }

    /** Releases a command held since {@link #begin}. */
    public Sim end(String name) {
        StandIn.commandEnd(knownCommand(name));
        return rethrowFailures();
    }

    private String knownCommand(String name) {
        if (!hasCommand(name)) {
            throw new IllegalArgumentException("the simulator knows no command " + name);
        }
        return name;
    }

    /**
     * The simulator sends every plugin a message ({@code XPlanePlugin.MSG_*});
     * the running plugin gets it in {@code receiveMessage}.
     */
    public Sim message(int message, long param) {
        StandIn.sendSimulatorMessage(message, param);
        rethrowFailures();
        return deliver(XPlanePlugin.FROM_SIMULATOR, message, param);
    }

    Sim deliver(int from, int message, long param) {
        Run<?> run = running;
        if (run != null) {
            XPlanePlugin plugin = run.plugin();
            lifecycle(plugin, "receiveMessage", () -> plugin.receiveMessage(from, message, param));
        }
        return this;
    }

    // --- the user: mouse, keyboard, menus ----------------------------------------

    /** A left click (down, then up) at global desktop coordinates; the front-most window there gets it. */
    public Sim click(int x, int y) {
        StandIn.click(x, y, false);
        return rethrowFailures();
    }

    /** A right click at global desktop coordinates. */
    public Sim rightClick(int x, int y) {
        StandIn.click(x, y, true);
        return rethrowFailures();
    }

    /** The mouse wheel turns {@code clicks} (positive: up) over a point. */
    public Sim scroll(int x, int y, int clicks) {
        StandIn.turnWheel(x, y, clicks);
        return rethrowFailures();
    }

    /**
     * A key pressed and released: key sniffers, then the window with keyboard
     * focus, get it with the down flag, then with the up flag. The virtual key
     * is the key's for letters, digits and space (upper case), else 0.
     */
    public Sim type(char key) {
        char upper = Character.toUpperCase(key);
        boolean plain = (upper >= 'A' && upper <= 'Z') || (upper >= '0' && upper <= '9') || upper == ' ';
        StandIn.pressKey(key, plain ? upper : 0);
        return rethrowFailures();
    }

    /**
     * A key combination pressed and released, as the user presses a hot key:
     * the virtual key with the modifier flags (shift 1, option/alt 2, control
     * 4). With no window holding the keyboard focus, the hot keys on that
     * combination run. Answers whether anything (a sniffer, a window, a hot
     * key) took the key.
     */
    public boolean press(int virtualKey, int flags) {
        boolean taken = StandIn.pressCombination(virtualKey, flags);
        rethrowFailures();
        return taken;
    }

    /** The descriptions of every hot key registered, in registration order. */
    public List<String> hotKeys() {
        return List.of(StandIn.hotKeyDescriptions());
    }

    /**
     * Replaces the monitors: each four numbers are one full-screen monitor's
     * left, top, right, bottom (its index is its place). One 1920 x 1080
     * monitor until then.
     */
    public Sim monitors(int... leftTopRightBottom) {
        StandIn.setMonitors(leftTopRightBottom);
        return this;
    }

    /** Types each character in turn. */
    public Sim type(String keys) {
        for (char key : keys.toCharArray()) {
            type(key);
        }
        return this;
    }

    /**
     * The user opens the plugins menu, follows the item names of {@code path}
     * (e.g. "My plugin", "Toggle") and picks the last. Fails if there is no
     * such item or picking it calls nothing.
     */
    public Sim pickMenuItem(String... path) {
        if (!StandIn.pickMenuPath(path)) {
            throw new AssertionFailedError("nothing to pick at Plugins > " + String.join(" > ", path));
        }
        return rethrowFailures();
    }

    /** Whether the plugins menu has an item at the end of {@code path}. */
    public boolean hasMenuItem(String... path) {
        return StandIn.menuItemCheck(path) >= 0;
    }

    /** Whether the item at the end of {@code path} has its check mark on. */
    public boolean isMenuItemChecked(String... path) {
        int check = StandIn.menuItemCheck(path);
        if (check < 0) {
            throw new AssertionFailedError("no menu item at Plugins > " + String.join(" > ", path));
        }
        return check == 2;
    }

    /** Whether the item at the end of {@code path} can be picked (a disabled item drops picks). */
    public boolean isMenuItemEnabled(String... path) {
        int enabled = StandIn.menuItemEnabled(path);
        if (enabled < 0) {
            throw new AssertionFailedError("no menu item at Plugins > " + String.join(" > ", path));
        }
        return enabled == 1;
    }

    /** Whether the plugin under test turned the feature on (e.g. "XPLM_WANTS_REFLECTIONS"). */
    public boolean isFeatureEnabled(String name) {
        return StandIn.featureEnabled(name);
    }

    // --- what is on screen -----------------------------------------------------

    /** The titles of the windows that exist, oldest first. */
    public List<String> windows() {
        return List.of(StandIn.windowTitles());
    }

    /** Every string drawn since the test began (or {@link #clearDrawings}), oldest first. */
    public List<String> drawnStrings() {
        return List.of(StandIn.drawnStrings());
    }

    /** Forgets the strings and boxes drawn so far. */
    public Sim clearDrawings() {
        StandIn.clearDrawings();
        return this;
    }

    // --- camera ------------------------------------------------------------------

    /** Where the camera is now. */
    public CameraPosition cameraPosition() {
        float[] p = StandIn.cameraPosition();
        return new CameraPosition(p[0], p[1], p[2], p[3], p[4], p[5], p[6]);
    }

    /** The user picks another view: a controller holding the camera until then loses it. */
    public Sim changeView() {
        StandIn.userChangesView();
        return rethrowFailures();
    }

    /** Calls made to camera controllers, losing-control calls included. */
    public int cameraControllerCalls() {
        return StandIn.cameraCallbacks();
    }

    // --- navigation ----------------------------------------------------------------

    /**
     * Adds a navaid ({@code XPlaneNavigation.TYPE_*}); frequencies follow
     * nav.dat (NDBs in kHz, others in 10 kHz).
     */
    public Sim addNavaid(int type, String id, String name, double latitude, double longitude, int frequency) {
        if (StandIn.addNavaid(type, id, name, (float) latitude, (float) longitude, frequency) < 0) {
            throw new IllegalStateException("the navaid database refused " + id);
        }
        return this;
    }

    /** Empties the navaid database. */
    public Sim clearNavaids() {
        StandIn.clearNavaids();
        return this;
    }

    /** Sets the GPS destination to the first navaid with this ID. */
    public Sim gpsDestination(String id) {
        if (!StandIn.setGpsDestination(id)) {
            throw new IllegalArgumentException("no navaid " + id);
        }
        return this;
    }

    /** The IDs of the FMS flight plan's entries, in order. */
    public List<String> flightPlan() {
        return List.of(StandIn.flightPlan());
    }

    /** Empties the FMS flight plan. */
    public Sim clearFlightPlan() {
        StandIn.clearFlightPlan();
        return this;
    }

    // --- what plugins did ------------------------------------------------------------

    /** The simulator's log (XPLMDebugString) since the test began. */
    public String debugLog() {
        return StandIn.debugLog();
    }

    /** How many times the XPLM function was called since the test began, e.g. "XPLMFindDataRef". */
    public int calls(String function) {
        return StandIn.callCount(function);
    }

    // --- folders, speech, keys, flight-loop objects, errors ----------------------------

    /** Makes {@code folder} the simulator's root folder (XPLMGetSystemPath); it must be absolute. */
    public Sim systemPath(java.nio.file.Path folder) {
        if (!StandInUtilities.setSystemPath(folder.toAbsolutePath().toString())) {
            throw new IllegalArgumentException("not a usable root folder: " + folder);
        }
        return this;
    }

    /** Sets the simulator's language by its code (1 English, 3 German, ...; see util.Language). */
    public Sim language(int code) {
        StandInUtilities.setLanguage(code);
        return this;
    }

    /** What plugins gave the simulator to say (XPLMSpeakString) since the test began, oldest first. */
    public List<String> spoken() {
        return List.of(StandInUtilities.spokenStrings());
    }

    /** The key functions plugins ran (XPLMCommandKeyStroke), as codes, oldest first. */
    public int[] keyStrokes() {
        return StandInUtilities.keyStrokes();
    }

    /** The joystick-button actions pressed and not yet released, as codes. */
    public int[] buttonsHeld() {
        return StandInUtilities.buttonsHeld();
    }

    /** The simulator's cycle number: the flight loops run since the test began. */
    public int cycleNumber() {
        return StandInUtilities.cycleNumber();
    }

    /** Flight-loop objects (processing.FlightLoop) that exist now. */
    public int flightLoopObjects() {
        return StandInUtilities.flightLoopObjects();
    }

    /** Flight-loop objects that exist now and are scheduled. */
    public int scheduledFlightLoopObjects() {
        return StandInUtilities.scheduledFlightLoopObjects();
    }

    /**
     * The simulator reports an API misuse by the running plugin, as it does for a bad handle: the plugin's
     * error logger (util.SimulatorErrors) gets {@code message}. False if the plugin logs no errors.
     */
    public boolean reportError(String message) {
        boolean reported = StandInUtilities.reportError(message);
        rethrowFailures();
        return reported;
    }

    // --- maps and aircraft -------------------------------------------------------------

    /**
     * The user opens a map (such as "XPLM_MAP_USER_INTERFACE"): each creation hook is called, and from the next
     * frame on its layers draw, centred on the aircraft as it is now (1000 x 1000 map units of 100 m).
     */
    public Sim openMap(String map) {
        StandInMaps.openMap(map);
        return rethrowFailures();
    }

    /** The user closes a map: each of its layers gets its will-be-deleted call. */
    public Sim closeMap(String map) {
        StandInMaps.closeMap(map);
        return rethrowFailures();
    }

    /** The map shows another area (left, top, right, bottom in map units): layers prepare their cache again. */
    public Sim mapArea(String map, float left, float top, float right, float bottom) {
        StandInMaps.setMapArea(map, left, top, right, bottom);
        return this;
    }

    /** Map layers that exist, as "map/fill/name" or "map/markings/name", in creation order. */
    public List<String> mapLayers() {
        return List.of(StandInMaps.mapLayers());
    }

    /** The icons the layers of an open map queued in the latest frame, in order. */
    public List<MapIcon> mapIcons(String map) {
        String[] texts = StandInMaps.iconTexts(map);
        float[] n = StandInMaps.iconNumbers(map);
        List<MapIcon> icons = new ArrayList<>();
        for (int i = 0; i < texts.length / 2; i++) {
            int k = 9 * i;
            icons.add(new MapIcon(texts[2 * i], texts[2 * i + 1], (int) n[k], (int) n[k + 1], (int) n[k + 2],
                    (int) n[k + 3], n[k + 4], n[k + 5], (int) n[k + 6], n[k + 7], n[k + 8]));
        }
        return icons;
    }

    /** The labels the layers of an open map queued in the latest frame, in order. */
    public List<MapLabel> mapLabels(String map) {
        String[] texts = StandInMaps.labelTexts(map);
        float[] n = StandInMaps.labelNumbers(map);
        List<MapLabel> labels = new ArrayList<>();
        for (int i = 0; i < texts.length / 2; i++) {
            int k = 4 * i;
            labels.add(new MapLabel(texts[2 * i], texts[2 * i + 1], n[k], n[k + 1], (int) n[k + 2], n[k + 3]));
        }
        return labels;
    }

    /** Active aircraft, the user's included. */
    public int activeAircraft() {
        return StandInMaps.aircraft()[1];
    }

    /** Whether the Java plugins (the host plugin) hold exclusive access to the aircraft. */
    public boolean pluginHoldsPlanes() {
        return StandInMaps.aircraft()[2] == StandIn.HOST_PLUGIN;
    }

    /** Refused acquisitions whose callbacks wait for access to the aircraft. */
    public int planesWaiting() {
        return StandInMaps.aircraft()[3];
    }

    /** Another plugin takes exclusive access to the aircraft; false if someone holds it. */
    public boolean otherPluginAcquiresPlanes() {
        return StandInMaps.otherPluginAcquiresPlanes();
    }

    /** The other plugin gives access back: waiting callbacks are called, once each, in order. */
    public Sim otherPluginReleasesPlanes() {
        StandInMaps.otherPluginReleasesPlanes();
        return rethrowFailures();
    }

    /**
     * What the Java plugins hold in the simulator, as "2 flight loops, 1
     * window"; "" when nothing.
     */
    public String registrationsHeld() {
        return StandIn.registrationsHeld();
    }

    /** Fails with the first exception a plugin callback threw since the last check (the others suppressed). */
    Sim rethrowFailures() {
        if (failures.isEmpty()) {
            return this;
        }
        Throwable first = failures.get(0);
        AssertionFailedError error = new AssertionFailedError("a plugin callback threw " + first, first);
        for (Throwable other : failures.subList(1, failures.size())) {
            error.addSuppressed(other);
        }
        failures.clear();
        throw error;
    }
}
