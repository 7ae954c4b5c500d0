package com.brevanto.qovin.bench.frame;

import com.brevanto.qovin.Registration;
import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.data.DirectDataRef;
import com.brevanto.qovin.data.JavaBackedDataRef;
import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.display.XPlaneDrawCallbackHelper;
import com.brevanto.qovin.display.XPlaneWindowHelper;
import com.brevanto.qovin.graphics.XPlaneGraphics;
import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;
import com.brevanto.qovin.util.XPlaneCommandRef;

/**
 * The frame benchmark's Java plugin, the twin of frame_plugin.cpp. Each frame:
 * 5 flight loops that read 100 simulator datarefs and write 20; 2 draw
 * callbacks that draw 10 changing lines each; one window with a box and a
 * line. It publishes 3 Java-backed datarefs and 3 direct ones, and handles one
 * command. Everything per frame is allocation-free. Flight loops, drawing, the
 * window and the handler are registered in enable() and released in disable().
 */
public final class FramePlugin implements XPlanePlugin {
    private static final String PREFIX = "bench/frame/java/";
    private static final float[] WHITE = {1, 1, 1};
    private static final float[] GREEN = {0.2f, 1, 0.2f};

    private final XPlaneDataRef[] floatReads = new XPlaneDataRef[FrameDataRefs.FLOAT_READS.length];
    private final XPlaneDataRef[] intReads = new XPlaneDataRef[FrameDataRefs.INT_READS.length];
    private final XPlaneDataRef[] doubleReads = new XPlaneDataRef[FrameDataRefs.DOUBLE_READS.length];
    private final XPlaneDataRef[] floatArrayReads = new XPlaneDataRef[FrameDataRefs.LOOPS];
    private final XPlaneDataRef[] intArrayReads = new XPlaneDataRef[FrameDataRefs.LOOPS];
    private final XPlaneDataRef[] floatWrites = new XPlaneDataRef[FrameDataRefs.FLOAT_WRITES.length];
    private final XPlaneDataRef[] intWrites = new XPlaneDataRef[FrameDataRefs.LOOPS];
    private final XPlaneDataRef[] doubleWrites = new XPlaneDataRef[FrameDataRefs.LOOPS];

    private final float[] floats = new float[FrameDataRefs.FLOAT_READS.length];
    private final int[] ints = new int[FrameDataRefs.INT_READS.length];
    private final double[] doubles = new double[FrameDataRefs.DOUBLE_READS.length];
    private final float[][] floatArrays = new float[FrameDataRefs.LOOPS][FrameDataRefs.ARRAY_ELEMENTS];
    private final int[][] intArrays = new int[FrameDataRefs.LOOPS][FrameDataRefs.ARRAY_ELEMENTS];

    private final StringBuilder line = new StringBuilder(64);
    private final int[] geometry = new int[4];
    private int frames;
    private int commandPhases;

    private JavaBackedDataRef airspeed;
    private JavaBackedDataRef altitude;
    private JavaBackedDataRef heading;
    private DirectDataRef directFloat;
    private DirectDataRef directInt;
    private DirectDataRef directDouble;
    private XPlaneCommandRef command;

    private final Registration[] loops = new Registration[FrameDataRefs.LOOPS];
    private Registration instruments;
    private Registration engines;
    private Registration handler;
    private Window window;

    @Override
    public void start() {
        find(floatReads, FrameDataRefs.FLOAT_READS);
        find(intReads, FrameDataRefs.INT_READS);
        find(doubleReads, FrameDataRefs.DOUBLE_READS);
        find(floatArrayReads, FrameDataRefs.FLOAT_ARRAY_READS);
        find(intArrayReads, FrameDataRefs.INT_ARRAY_READS);
        find(floatWrites, FrameDataRefs.FLOAT_WRITES);
        find(intWrites, FrameDataRefs.INT_WRITES);
        find(doubleWrites, FrameDataRefs.DOUBLE_WRITES);
        airspeed = JavaBackedDataRef.publishFloat(PREFIX + "airspeed", () -> floats[FrameDataRefs.AIRSPEED]);
        altitude = JavaBackedDataRef.publishInt(PREFIX + "altitude", () -> (int) floats[FrameDataRefs.ALTITUDE]);
        heading = JavaBackedDataRef.publishDouble(PREFIX + "heading", () -> floats[FrameDataRefs.HEADING]);
        directFloat = DirectDataRef.publishFloat(PREFIX + "direct_float", 0);
        directInt = DirectDataRef.publishInt(PREFIX + "direct_int", 0);
        directDouble = DirectDataRef.publishDouble(PREFIX + "direct_double", 0);
        command = new XPlaneCommandRef(PREFIX + "command", "The frame benchmark's command");
    }

    private static void find(XPlaneDataRef[] refs, String[] names) {
        for (int i = 0; i < names.length; i++) {
            refs[i] = XPlaneDataRef.find(names[i]);
            if (refs[i] == null) {
                throw new IllegalStateException("no dataref " + names[i]);
            }
        }
    }

    @Override
    public void enable() {
        for (int l = 0; l < FrameDataRefs.LOOPS; l++) {
            final int index = l;
            loops[l] = XPlaneFlightLoopCallbackHelper.schedule(-1, (sinceCall, sinceLoop, counter) -> {
                readAndWrite(index, counter);
                return -1;
            });
        }
        instruments = XPlaneDrawCallbackHelper.schedule(XPlaneDrawCallbackHelper.PHASE_WINDOW, false,
                (phase, before) -> drawInstruments());
        engines = XPlaneDrawCallbackHelper.schedule(XPlaneDrawCallbackHelper.PHASE_LAST_COCKPIT, false,
                (phase, before) -> drawEngines());
        window = new Window();
        window.create(100, 400, 400, 300, true);
        handler = command.handle(true, phase -> {
            commandPhases++;
            return true;
        });
    }

    @Override
    public void disable() {
        for (Registration loop : loops) {
            loop.close();
        }
        instruments.close();
        engines.close();
        window.destroy();
        handler.close();
    }

    @Override
    public void stop() {
        airspeed.unregister();
        altitude.unregister();
        heading.unregister();
        directFloat.unregister();
        directInt.unregister();
        directDouble.unregister();
    }

    /** Flight loop {@code l}: reads 20 datarefs, writes 4. */
    private void readAndWrite(int l, int counter) {
        int f0 = l * FrameDataRefs.FLOATS_PER_LOOP;
        for (int i = f0; i < f0 + FrameDataRefs.FLOATS_PER_LOOP; i++) {
            floats[i] = floatReads[i].getFloat();
        }
        int i0 = l * FrameDataRefs.INTS_PER_LOOP;
        for (int i = i0; i < i0 + FrameDataRefs.INTS_PER_LOOP; i++) {
            ints[i] = intReads[i].getInt();
        }
        int d0 = l * FrameDataRefs.DOUBLES_PER_LOOP;
        for (int i = d0; i < d0 + FrameDataRefs.DOUBLES_PER_LOOP; i++) {
            doubles[i] = doubleReads[i].getDouble();
        }
        floatArrayReads[l].getFloatArray(0, floatArrays[l]);
        intArrayReads[l].getIntArray(0, intArrays[l]);
        int w0 = l * FrameDataRefs.FLOAT_WRITES_PER_LOOP;
        for (int i = 0; i < FrameDataRefs.FLOAT_WRITES_PER_LOOP; i++) {
            floatWrites[w0 + i].setFloat(floats[f0 + i] + 0.5f);
        }
        intWrites[l].setInt(counter & 1);
        doubleWrites[l].setDouble(doubles[d0] + 1.0);
        if (l == FrameDataRefs.LOOPS - 1) {
            frames++;
            directFloat.setFloat(floats[FrameDataRefs.SLIP]);
            directInt.setInt(frames);
            directDouble.setDouble(doubles[FrameDataRefs.LATITUDE]);
        }
    }

    private int drawInstruments() {
        float[] f = floats;
        int y = 700;
        draw(WHITE, y -= 14, tenths(clear().append("ALT "), f[FrameDataRefs.ALTITUDE]).append(" ft"));
        draw(WHITE, y -= 14, tenths(clear().append("IAS "), f[FrameDataRefs.AIRSPEED]).append(" kt"));
        draw(WHITE, y -= 14, tenths(clear().append("TAS "), f[FrameDataRefs.TRUE_AIRSPEED]).append(" kt"));
        draw(WHITE, y -= 14, tenths(clear().append("GS "), f[FrameDataRefs.GROUND_SPEED]).append(" kt"));
        draw(WHITE, y -= 14, clear().append("HDG ").append((int) f[FrameDataRefs.HEADING]));
        draw(WHITE, y -= 14, clear().append("VS ").append((int) f[FrameDataRefs.VERTICAL_SPEED]).append(" fpm"));
        draw(WHITE, y -= 14, tenths(clear().append("SLIP "), f[FrameDataRefs.SLIP]));
        draw(WHITE, y -= 14, tenths(clear().append("PITCH "), f[FrameDataRefs.PITCH]));
        draw(WHITE, y -= 14, tenths(clear().append("ROLL "), f[FrameDataRefs.ROLL]));
        draw(WHITE, y -= 14, clear().append("FRAME ").append(frames));
        return 1;
    }

    private int drawEngines() {
        int y = 500;
        for (int engine = 0; engine < 4; engine++) {
            draw(GREEN, y -= 14, tenths(clear().append("N1 ").append(engine + 1).append(' '), floatArrays[0][engine]));
        }
        for (int l = 0; l < FrameDataRefs.LOOPS; l++) {
            draw(GREEN, y -= 14, clear().append("AP ").append(l).append(": ")
                    .append(ints[l * FrameDataRefs.INTS_PER_LOOP]).append('/').append(intArrays[l][0]));
        }
        draw(GREEN, y -= 14, tenths(clear().append("LAT "), (float) doubles[FrameDataRefs.LATITUDE]));
        return 1;
    }

    private StringBuilder clear() {
        line.setLength(0);
        return line;
    }

    private static void draw(float[] color, int y, StringBuilder text) {
        XPlaneGraphics.drawString(color, 20, y, (CharSequence) text, 0, XPlaneGraphics.FONT_BASIC);
    }

    /** Appends {@code value} to one decimal, without allocating. */
    private static StringBuilder tenths(StringBuilder text, float value) {
        int t = Math.round(value * 10);
        if (t < 0) {
            text.append('-');
            t = -t;
        }
        return text.append(t / 10).append('.').append(t % 10);
    }

    /** The window: a box and a line at its top left. */
    private final class Window extends XPlaneWindowHelper {
        @Override
        public void drawWindowCallback() {
            int[] g = geometry(FramePlugin.this.geometry);
            XPlaneGraphics.drawTranslucentDarkBox(g[0], g[1], g[2], g[3]);
            XPlaneGraphics.drawString(WHITE, g[0] + 8, g[1] - 16,
                    (CharSequence) clear().append("frame ").append(frames).append(" cmd ").append(commandPhases), 0,
                    XPlaneGraphics.FONT_PROPORTIONAL);
        }

        @Override
        public int mouseClickCallback(int x, int y, int mouseStatus) {
            return 1;
        }

        @Override
        public int mouseWheelCallback(int x, int y, int wheel, int clicks) {
            return 1;
        }
    }
}
