package com.brevanto.qovin.samples.navigation;

import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.navigation.XPlaneNavRef;
import com.brevanto.qovin.navigation.XPlaneNavigation;
import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;
import com.brevanto.qovin.util.XPlaneCommandRef;
import com.brevanto.qovin.util.XPlaneDebugStringImpl;

/**
 * Direct to the nearest airport. Once a second it finds the airport nearest
 * to the aircraft and logs it when it changes ("Nearest airport: KSEA
 * (Seattle-Tacoma Intl)"); the command {@value #DIRECT_TO} makes that
 * airport the first entry of the FMS flight plan, its destination and the
 * entry displayed.
 */
public class DirectToPlugin implements XPlanePlugin {
    public static final String DIRECT_TO = "qovin/samples/navigation/direct_to_nearest";

    private final XPlaneNavigation navigation = new XPlaneNavigation();
    private XPlaneDataRef latitude;
    private XPlaneDataRef longitude;
    private XPlaneNavRef nearest;
    private int nearestRef = XPlaneNavRef.NOT_FOUND;
    private XPlaneCommandRef directTo;
    private long handler;
    private long loopRegistration;

    private final XPlaneFlightLoopCallbackHelper loop = new XPlaneFlightLoopCallbackHelper() {
        @Override
        public float callback(float sinceLastCall, float sinceLastLoop, int counter) {
            float lat = (float) latitude.getDouble();
            float lon = (float) longitude.getDouble();
            // The handle alone allocates nothing; the navaid's texts are read only when it changes.
            int found = navigation.findNearestRef(XPlaneNavigation.TYPE_AIRPORT, lat, lon);
            if (found != nearestRef) {
                nearestRef = found;
                nearest = found == XPlaneNavRef.NOT_FOUND ? null
                        : navigation.findNearest(XPlaneNavigation.TYPE_AIRPORT, lat, lon);
                if (nearest != null) {
                    XPlaneDebugStringImpl.debugLine("Nearest airport: " + nearest.getId() + " (" + nearest.getName()
                            + ")");
                }
            }
            return 1;
        }
    };

    @Override
    public void start() {
        latitude = XPlaneDataRef.find("sim/flightmodel/position/latitude");
        longitude = XPlaneDataRef.find("sim/flightmodel/position/longitude");
        directTo = new XPlaneCommandRef(DIRECT_TO, "Fly direct to the nearest airport") {
            @Override
            public boolean beforehandlerCallback(int phase) {
                if (phase == PHASE_BEGIN && nearest != null) {
                    navigation.setFMSEntryInfo(0, nearest, 0);
                    navigation.setDestinationFMSEntry(0);
                    navigation.setDisplayedFMSEntry(0);
                }
                return false;
            }
        };
        handler = directTo.registerHandler(true);
    }

    @Override
    public void enable() {
        loopRegistration = loop.register(-1);
    }

    @Override
    public void disable() {
        loop.unregister(loopRegistration);
    }

    @Override
    public void stop() {
        directTo.unregisterHandler(handler);
    }
}
