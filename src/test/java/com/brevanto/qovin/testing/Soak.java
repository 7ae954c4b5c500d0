package com.brevanto.qovin.testing;

import com.brevanto.qovin.XPlanePluginHelper;
import com.brevanto.qovin.camera.QOVINCameraControl;
import com.brevanto.qovin.camera.QOVINCameraPosition;
import com.brevanto.qovin.camera.XPlaneCameraControlHelper;
import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.display.XPlaneDrawCallbackHelper;
import com.brevanto.qovin.display.XPlaneKeySnifferHelper;
import com.brevanto.qovin.display.XPlaneWindowHelper;
import com.brevanto.qovin.navigation.QOVINFmsEntryInfo;
import com.brevanto.qovin.navigation.XPlaneNavRef;
import com.brevanto.qovin.navigation.XPlaneNavigation;
import com.brevanto.qovin.planes.XPlanePlanes;
import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;
import com.brevanto.qovin.scenery.QOVINObjectLoadCallback;
import com.brevanto.qovin.scenery.QOVINObjectRef;
import com.brevanto.qovin.scenery.XPlaneDrawInfo;
import com.brevanto.qovin.scenery.XPlaneProbeRef;
import com.brevanto.qovin.util.XPlaneCommandRef;
import java.lang.management.ManagementFactory;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import javax.management.ObjectName;

/**
 * Long runs: callback objects that only count their calls (so that a run of
 * 100,000 calls keeps nothing), loops that call the natives which make Java
 * objects, and the meters the runs are judged by.
 */
public final class Soak {
    private Soak() {
    }

    // --- meters --------------------------------------------------------------

    /** Bytes of Java heap in use after full collections (the lowest of three). */
    public static long heapUsedAfterGc() {
        long lowest = Long.MAX_VALUE;
        for (int i = 0; i < 3; i++) {
            System.gc();
            lowest = Math.min(lowest, ManagementFactory.getMemoryMXBean().getHeapMemoryUsage().getUsed());
        }
        return lowest;
    }

    private static final Pattern GLOBAL_REFS = Pattern.compile("JNI global refs: (\\d+)");

    /**
     * The JVM's count of JNI global references, as its thread dump reports it
     * ("JNI global refs: N"): the lowest of ten dumps a few milliseconds
     * apart, since the JVM's own threads (the JIT compiler's queue among them)
     * hold some for a moment. -1 if the dump has no such line.
     */
    public static long jniGlobalRefs() throws Exception {
        long lowest = Long.MAX_VALUE;
        for (int i = 0; i < 10; i++) {
            String dump = (String) ManagementFactory.getPlatformMBeanServer().invoke(
                    new ObjectName("com.sun.management:type=DiagnosticCommand"), "threadPrint",
                    new Object[] {new String[0]}, new String[] {String[].class.getName()});
            Matcher m = GLOBAL_REFS.matcher(dump);
            if (!m.find()) {
                return -1;
            }
            lowest = Math.min(lowest, Long.parseLong(m.group(1)));
            Thread.sleep(2);
        }
        return lowest;
    }

    // --- callback objects that count -------------------------------------------

    /** Runs every flight loop. */
    public static final class Loop extends XPlaneFlightLoopCallbackHelper {
        public long calls;

        @Override
        public float callback(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter) {
            calls++;
            return -1f;
        }
    }

    /** Lets the command go on, before and after the simulator's handling. */
    public static final class Command extends XPlaneCommandRef {
        public long before;
        public long after;

        public Command(String name) {
            super(name, "soak");
        }

        @Override
        public boolean beforehandlerCallback(int phase) {
            before++;
            return true;
        }

        @Override
        public boolean afterhandlerCallback(int phase) {
            after++;
            return true;
        }
    }

    /** Lets the simulator draw. */
    public static final class Draw extends XPlaneDrawCallbackHelper {
        public long calls;

        @Override
        public int callback(int phase, boolean before) {
            calls++;
            return 1;
        }
    }

    /** Passes every key on. */
    public static final class Sniffer extends XPlaneKeySnifferHelper {
        public long calls;

        @Override
        public boolean keySnifferFunc(char key, int flags, char virtualKey) {
            calls++;
            return false;
        }
    }

    /** Takes every kind of input. */
    public static final class Window extends XPlaneWindowHelper {
        public long draws;
        public long keys;
        public long clicks;
        public long rightClicks;
        public long cursors;
        public long wheels;

        @Override
        public void drawWindowCallback() {
            draws++;
        }

        @Override
        public void keyPressedCallback(byte key, int flags, byte virtualKey, boolean losingFocus) {
            keys++;
        }

        @Override
        public int mouseClickCallback(int x, int y, int mouseStatus) {
            clicks++;
            return 1;
        }

        @Override
        public int rightMouseClickCallback(int x, int y, int mouseStatus) {
            rightClicks++;
            return 1;
        }

        @Override
        public int cursorStatusCallback(int x, int y) {
            cursors++;
            return CURSOR_ARROW;
        }

        @Override
        public int mouseWheelCallback(int x, int y, int wheel, int clicks) {
            wheels++;
            return 1;
        }
    }

    /** Keeps the camera, placing it from the shared position; gives it up once told to. */
    public static final class Camera implements QOVINCameraControl {
        public long calls;
        public boolean giveUp;

        @Override
        public int controlCamera(QOVINCameraPosition position, boolean losingControl) {
            calls++;
            if (!losingControl) {
                position.set(1f, 2f, 3f, 4f, 5f, 6f, 1f);
            }
            return giveUp ? 0 : 1;
        }
    }

    /** Counts deliveries and unloads what it is given. */
    public static final class Loads implements QOVINObjectLoadCallback {
        public long calls;

        @Override
        public void objectLoaded(QOVINObjectRef object) {
            calls++;
            object.unload();
        }
    }

    // --- natives that make Java objects, called as a plugin calls them ------------

    /** Walks the navaid database and its queries {@code rounds} times; returns what it saw. */
    public static long navigation(int rounds) {
        XPlaneNavigation nav = new XPlaneNavigation();
        long seen = 0;
        for (int i = 0; i < rounds; i++) {
            XPlaneNavRef first = nav.getFirstNavAid();
            seen += nav.getNextNavAid(first).getId().length();
            seen += nav.findFirstNavAidOfType(XPlaneNavigation.TYPE_VOR).getName().length();
            seen += nav.findLastNavAidOfType(XPlaneNavigation.TYPE_AIRPORT).getName().length();
            seen += nav.findNavAid(null, "BTG", null, null, null, XPlaneNavigation.TYPE_VOR).getName().length();
            QOVINFmsEntryInfo entry = nav.getFMSEntryInfo(i % 4);
            seen += entry.getId().length();
            seen += nav.getGPSDestination().getId().length();
        }
        return seen;
    }

    /** Reads plugin infos and aircraft models {@code rounds} times; returns the text lengths seen. */
    public static long pluginsAndPlanes(int rounds) {
        long seen = 0;
        for (int i = 0; i < rounds; i++) {
            seen += XPlanePluginHelper.getPluginInfo(1 + i % 2).getName().length();
            for (String text : XPlanePlanes.getNthAircraftModel(i % 2)) {
                seen += text.length();
            }
        }
        return seen;
    }

    /** Asks whether the camera is controlled {@code rounds} times; returns the answers added up. */
    public static long cameraQueries(int rounds) {
        long seen = 0;
        for (int i = 0; i < rounds; i++) {
            Integer duration = XPlaneCameraControlHelper.controlDuration();
            seen += duration == null ? 0 : duration;
        }
        return seen;
    }

    /** Reads entries of a location array and probes the terrain {@code rounds} times. */
    public static double sceneryQueries(XPlaneDrawInfo locations, XPlaneProbeRef probe, RecordingProbeInfo info,
            int rounds) {
        double seen = 0;
        for (int i = 0; i < rounds; i++) {
            seen += locations.get(i % locations.size()).x;
            seen += probe.probe(i % 100, 0f, 0f, info).locationY;
        }
        return seen;
    }

    /** Reads a text dataref {@code rounds} times; returns the characters seen. */
    public static long textReads(String path, int rounds) {
        XPlaneDataRef ref = new XPlaneDataRef(path);
        long seen = 0;
        for (int i = 0; i < rounds; i++) {
            seen += ref.getString().length();
        }
        return seen;
    }
}
