package com.brevanto.qovin.instruments;

import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;
import java.util.Arrays;
import java.util.logging.Logger;

/**
 * Reads the pilot's instruments once a second while the aircraft climbs away
 * at 500 feet a minute (the plugin sets the vertical speed when enabled), and
 * reports the climb when disabled.
 */
public class InstrumentsPlugin implements XPlanePlugin {
    private static final Logger LOG = Logger.getLogger("qovin.instruments");
    private static final String INDICATORS = "sim/cockpit2/gauges/indicators/";
    private static final String POSITION = "sim/flightmodel/position/";

    private XPlaneDataRef airspeed;
    private XPlaneDataRef trueAirspeed;
    private XPlaneDataRef altitudeFeet;
    private XPlaneDataRef verticalSpeed;
    private XPlaneDataRef climbRate;
    private XPlaneDataRef heading;
    private XPlaneDataRef aboveGround;
    private XPlaneDataRef localX;
    private XPlaneDataRef localTime;
    private float startHeight;
    private float startX;

    private final XPlaneFlightLoopCallbackHelper readout = new XPlaneFlightLoopCallbackHelper() {
        @Override
        public float callback(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter) {
            LOG.info(describe());
            return 1f;
        }
    };

    @Override
    public void start() {
        airspeed = required(INDICATORS + "airspeed_kts_pilot");
        trueAirspeed = required(POSITION + "true_airspeed");
        altitudeFeet = required(INDICATORS + "altitude_ft_pilot");
        verticalSpeed = required(INDICATORS + "vvi_fpm_pilot");
        climbRate = required(POSITION + "vh_ind_fpm");
        heading = required(INDICATORS + "heading_AHARS_deg_mag_pilot");
        aboveGround = required(POSITION + "y_agl");
        localX = required(POSITION + "local_x");
        localTime = required("sim/time/local_time_sec");
        XPlaneDataRef tail = required("sim/aircraft/view/acf_tailnum");
        XPlaneDataRef throttle = required("sim/cockpit2/engine/actuators/throttle_ratio");
        float[] levers = new float[4];
        throttle.getFloatArray(0, levers);
        LOG.info(String.format("%s, throttle levers %s, %s", tail.getString(), Arrays.toString(levers), describe()));
        startHeight = aboveGround.getFloat();
        startX = localX.getFloat();
        readout.register(1f);
    }

    @Override
    public void enable() {
        climbRate.setFloat(500f);
    }

    @Override
    public void disable() {
        LOG.info(String.format("climbed %.1f m and went %.1f m east; %s", aboveGround.getFloat() - startHeight,
                localX.getFloat() - startX, describe()));
    }

    @Override
    public void stop() {
        readout.unregisterAll();
    }

    private String describe() {
        int seconds = (int) localTime.getFloat();
        return String.format("%.0f kt indicated (%.1f m/s true), %.0f ft, %+.0f ft/min, heading %03.0f magnetic, "
                + "%.1f m above ground, local time %02d:%02d:%02d", airspeed.getFloat(), trueAirspeed.getFloat(),
                altitudeFeet.getFloat(), verticalSpeed.getFloat(), heading.getFloat(), aboveGround.getFloat(),
                seconds / 3600, seconds / 60 % 60, seconds % 60);
    }

    private static XPlaneDataRef required(String path) {
        XPlaneDataRef ref = XPlaneDataRef.find(path);
        if (ref == null) {
            throw new IllegalStateException("no dataref " + path);
        }
        return ref;
    }
}
