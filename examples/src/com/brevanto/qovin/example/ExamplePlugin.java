package com.brevanto.qovin.example;

import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;
import com.brevanto.qovin.util.XPlaneCommandRef;
import com.brevanto.qovin.util.XPlaneDebugStringImpl;
import java.util.Arrays;
import java.util.logging.Logger;

/**
 * A small plugin that reads where the aircraft is and what time it is, starts
 * the engine's systems, watches the flight in a flight loop, offers a command
 * that reports the position, and at the end tells how far the aircraft went.
 */
public class ExamplePlugin implements XPlanePlugin {
    private static final String[] POINTS = {"north", "north-east", "east", "south-east", "south", "south-west",
        "west", "north-west"};

    /** Which way the aircraft is heading, as a compass word. */
    private static String compass(float degrees) {
        return POINTS[Math.floorMod(Math.round(degrees / 45f), 8)];
    }

    /**
     * Counts the first ten flight loops one by one, then looks once every two
     * seconds and reports when the heading's compass word changed: the
     * interval it returns changes as it goes. Logging allocates, so it logs
     * on change only, and the loop makes no garbage in steady flight.
     */
    private final class Watch extends XPlaneFlightLoopCallbackHelper {
        private int calls;
        private String reported;

        @Override
        public float callback(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter) {
            calls++;
            datarefs.loops = calls;
            datarefs.heading.set(heading.getFloat());
            datarefs.altitude.set(elevation.getDouble());
            datarefs.distance = distanceMetres(startLatitude, startLongitude, latitude.getDouble(),
                    longitude.getDouble());
            if (calls < 10) {
                return -1f;
            }
            String now = compass(heading.getFloat());
            if (!now.equals(reported)) {
                reported = now;
                LOG.info(String.format("flight loop %d, %.2f s after the previous call, heading %s", counter,
                        elapsedSinceLastCall, now));
            }
            return 2f;
        }
    }

    /** The command "qovin/example/report": logs the position when pressed. */
    private final class Report extends XPlaneCommandRef {
        Report() {
            super("qovin/example/report", "Report where the aircraft is");
        }

        @Override
        public boolean beforehandlerCallback(int phase) {
            if (phase == PHASE_BEGIN) {
                LOG.info(String.format("report: %.5f, %.5f", latitude.getDouble(), longitude.getDouble()));
            }
            return true;
        }
    }

    private static final Logger LOG = Logger.getLogger("qovin.example");

    private XPlaneDataRef latitude;
    private XPlaneDataRef longitude;
    private XPlaneDataRef elevation;
    private XPlaneDataRef heading;
    private XPlaneDataRef runningTime;
    private XPlaneDataRef tailNumber;
    private XPlaneDataRef battery;
    private XPlaneDataRef throttle;
    private XPlaneDataRef ignition;
    private final Watch watch = new Watch();
    private Report report;
    private ExampleDataRefs datarefs;
    private final ExampleDisplay display = new ExampleDisplay(
            line -> line.append("heading ").append(compass(heading.getFloat())).append(", ")
                    .append(Math.round(elevation.getDouble())).append(" m"));
    private final ExampleControls controls = new ExampleControls();
    private ExampleScenery scenery;
    private double startLatitude;
    private double startLongitude;
    private float startTime;

    @Override
    public void start() {
        latitude = required("sim/flightmodel/position/latitude");
        longitude = required("sim/flightmodel/position/longitude");
        elevation = required("sim/flightmodel/position/elevation");
        heading = required("sim/flightmodel/position/psi");
        runningTime = required("sim/time/total_running_time_sec");
        tailNumber = required("sim/aircraft/view/acf_tailnum");
        battery = required("sim/cockpit/electrical/battery_on");
        throttle = required("sim/cockpit2/engine/actuators/throttle_ratio");
        ignition = required("sim/cockpit2/engine/actuators/ignition_key");

        startLatitude = latitude.getDouble();
        startLongitude = longitude.getDouble();
        startTime = runningTime.getFloat();
        LOG.info(String.format("%s at %.4f, %.4f, %.0f m, heading %.0f", tailNumber.getString(), startLatitude,
                startLongitude, elevation.getDouble(), heading.getFloat()));
        ExampleNavigation.lookAround(startLatitude, startLongitude);
        datarefs = new ExampleDataRefs();
        report = new Report();
        report.registerHandler(true);
        watch.register(-1f);
        display.start();
        controls.start();
        scenery = new ExampleScenery();
        XPlaneDebugStringImpl.debugLine("ExamplePlugin: started");
    }

    @Override
    public void enable() {
        battery.setInt(1);
        ignition.setIntArray(0, new int[] {3});
        throttle.setFloatArray(0, new float[] {0.8f});
        float[] levers = new float[throttle.getFloatArraySize()];
        throttle.getFloatArray(0, levers);
        LOG.info("battery on, ignition on both, throttle levers now " + Arrays.toString(levers));
    }

    @Override
    public void disable() {
        float seconds = runningTime.getFloat() - startTime;
        double metres = distanceMetres(startLatitude, startLongitude, latitude.getDouble(), longitude.getDouble());
        LOG.info(String.format("after %.1f s the aircraft has moved %.0f m", seconds, metres));
        LOG.info(String.format("now %.0f kt indicated, %.1f m above ground, %.0f m east of the origin",
                required("sim/cockpit2/gauges/indicators/airspeed_kts_pilot").getFloat(),
                required("sim/flightmodel/position/y_agl").getFloat(),
                required("sim/flightmodel/position/local_x").getFloat()));
        LOG.info("own datarefs: " + datarefs.describe());
        LOG.info("scenery: " + scenery.describe());
        throttle.setFloatArray(0, new float[] {0f});
        battery.setInt(0);
    }

    @Override
    public void stop() {
        watch.unregisterAll();
        display.stop();
        controls.stop();
        datarefs.unregisterAll();
        report.unregisterAllHandlers();
        scenery.stop();
        XPlaneDebugStringImpl.debugLine("ExamplePlugin: stopped");
    }

    private static XPlaneDataRef required(String path) {
        XPlaneDataRef ref = XPlaneDataRef.find(path);
        if (ref == null) {
            throw new IllegalStateException("no dataref " + path);
        }
        return ref;
    }

    private static double distanceMetres(double lat1, double lon1, double lat2, double lon2) {
        double radius = 6378145.0;
        double dLat = Math.toRadians(lat2 - lat1);
        double dLon = Math.toRadians(lon2 - lon1) * Math.cos(Math.toRadians((lat1 + lat2) / 2));
        return radius * Math.sqrt(dLat * dLat + dLon * dLon);
    }
}
