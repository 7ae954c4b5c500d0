package com.example.hello;

import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;
import java.util.logging.Logger;

/** Says where the aircraft is, counts the flight loops, and says goodbye. */
public class HelloPlugin implements XPlanePlugin {
    private static final Logger LOG = Logger.getLogger("hello");

    private XPlaneDataRef elevation;
    private int loops;

    private final XPlaneFlightLoopCallbackHelper counter = new XPlaneFlightLoopCallbackHelper() {
        @Override
        public float callback(float sinceLastCall, float sinceLastLoop, int count) {
            loops++;
            return -1f; // call again next flight loop
        }
    };

    @Override
    public void start() {
        elevation = XPlaneDataRef.find("sim/flightmodel/position/elevation");
        LOG.info(String.format("hello from Java: the aircraft is %.0f m above sea level", elevation.getDouble()));
        counter.register(-1f);
    }

    @Override
    public void stop() {
        counter.unregisterAll();
        LOG.info("goodbye after " + loops + " flight loops");
    }
}
