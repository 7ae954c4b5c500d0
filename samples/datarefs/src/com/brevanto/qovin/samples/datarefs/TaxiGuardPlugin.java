package com.brevanto.qovin.samples.datarefs;

import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.data.DataReadAccessor;
import com.brevanto.qovin.data.DataWriteAccessor;
import com.brevanto.qovin.data.DirectDataRef;
import com.brevanto.qovin.data.JavaBackedDataRef;
import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;
import com.brevanto.qovin.util.XPlaneDebugStringImpl;

/**
 * Guards the taxi speed. Each flight loop it reads the ground speed, adds the
 * distance covered to a published odometer and, while the aircraft is faster
 * than the limit, pulls the throttles back to idle. Other plugins (and the
 * user's panels) read the odometer and read or change the limit:
 * <ul>
 * <li>{@value #DISTANCE}: metres taxied, a double kept in a direct buffer;
 * <li>{@value #LIMIT}: the speed limit in m/s, read and written through Java.
 * </ul>
 */
public class TaxiGuardPlugin implements XPlanePlugin {
    public static final String DISTANCE = "qovin/samples/taxi_guard/distance_m";
    public static final String LIMIT = "qovin/samples/taxi_guard/limit_mps";
    static final String GROUND_SPEED = "sim/flightmodel/position/groundspeed";
    static final String THROTTLES = "sim/cockpit2/engine/actuators/throttle_ratio";
    /** Both throttles at idle: one array, written as often as needed, so the loop allocates nothing. */
    private static final float[] IDLE = {0, 0};

    private float limit = 10;
    private int interventions;
    private XPlaneDataRef groundSpeed;
    private XPlaneDataRef throttles;
    private DirectDataRef distance;
    private JavaBackedDataRef limitRef;
    private long loopRegistration;

    private final XPlaneFlightLoopCallbackHelper loop = new XPlaneFlightLoopCallbackHelper() {
        @Override
        public float callback(float sinceLastCall, float sinceLastLoop, int counter) {
            float speed = groundSpeed.getFloat();
            distance.set(distance.value() + speed * sinceLastCall);
            if (speed > limit) {
                throttles.setFloatArray(0, IDLE);
                if (interventions++ == 0) {
                    XPlaneDebugStringImpl.debugLine("Taxi guard: " + speed + " m/s is over the limit, throttles to idle");
                }
            }
            return -1;
        }
    };

    @Override
    public void start() {
        groundSpeed = XPlaneDataRef.find(GROUND_SPEED);
        throttles = XPlaneDataRef.find(THROTTLES);
        distance = DirectDataRef.publishDouble(DISTANCE, 0);
        limitRef = new JavaBackedDataRef(LIMIT, XPlaneDataRef.TYPE_FLOAT, true, new DataReadAccessor() {
            @Override
            public float readFloat() {
                return limit;
            }
        }, new DataWriteAccessor() {
            @Override
            public void writeFloat(float value) {
                if (value > 0) {
                    limit = value;
                }
            }
        });
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
        limitRef.unregister();
        distance.unregister();
    }

    /** How many flight loops found the aircraft too fast. */
    public int interventions() {
        return interventions;
    }
}
