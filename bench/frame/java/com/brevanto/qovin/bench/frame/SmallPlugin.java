package com.brevanto.qovin.bench.frame;

import com.brevanto.qovin.Registration;
import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.display.XPlaneDrawCallbackHelper;
import com.brevanto.qovin.graphics.XPlaneGraphics;
import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;

/**
 * The small plugin of which the frame benchmark loads 1, 10 and 100: a flight
 * loop that reads 5 simulator datarefs and a draw callback that draws 2 lines
 * from them, registered in enable() and released in disable().
 */
public final class SmallPlugin implements XPlanePlugin {
    private static final float[] WHITE = {1, 1, 1};

    private XPlaneDataRef altitude;
    private XPlaneDataRef airspeed;
    private XPlaneDataRef heading;
    private XPlaneDataRef autopilotMode;
    private XPlaneDataRef latitude;
    private float altitudeFeet;
    private float airspeedKnots;
    private float headingDegrees;
    private int mode;
    private double latitudeDegrees;
    private final StringBuilder line = new StringBuilder(64);
    private Registration loop;
    private Registration drawing;

    @Override
    public void start() {
        altitude = XPlaneDataRef.find("sim/cockpit2/gauges/indicators/altitude_ft_pilot");
        airspeed = XPlaneDataRef.find("sim/cockpit2/gauges/indicators/airspeed_kts_pilot");
        heading = XPlaneDataRef.find("sim/cockpit2/gauges/indicators/compass_heading_deg_mag");
        autopilotMode = XPlaneDataRef.find("sim/cockpit2/autopilot/heading_mode");
        latitude = XPlaneDataRef.find("sim/flightmodel/position/latitude");
    }

    @Override
    public void enable() {
        loop = XPlaneFlightLoopCallbackHelper.schedule(-1, (sinceCall, sinceLoop, counter) -> {
            altitudeFeet = altitude.getFloat();
            airspeedKnots = airspeed.getFloat();
            headingDegrees = heading.getFloat();
            mode = autopilotMode.getInt();
            latitudeDegrees = latitude.getDouble();
            return -1;
        });
        drawing = XPlaneDrawCallbackHelper.schedule(XPlaneDrawCallbackHelper.PHASE_WINDOW, false, (phase, before) -> {
            line.setLength(0);
            line.append("ALT ").append((int) altitudeFeet).append(" IAS ").append((int) airspeedKnots);
            XPlaneGraphics.drawString(WHITE, 20, 300, (CharSequence) line, 0, XPlaneGraphics.FONT_BASIC);
            line.setLength(0);
            line.append("HDG ").append((int) headingDegrees).append(" AP ").append(mode).append(" LAT ")
                    .append((int) latitudeDegrees);
            XPlaneGraphics.drawString(WHITE, 20, 286, (CharSequence) line, 0, XPlaneGraphics.FONT_BASIC);
            return 1;
        });
    }

    @Override
    public void disable() {
        loop.close();
        drawing.close();
    }

    @Override
    public void stop() {
    }
}
