package com.brevanto.qovin.example;

import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.display.XPlaneDrawCallbackHelper;
import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;
import com.brevanto.qovin.scenery.QOVINObjectLoadCallback;
import com.brevanto.qovin.scenery.QOVINObjectRef;
import com.brevanto.qovin.scenery.QOVINProbeInfo;
import com.brevanto.qovin.scenery.XPlaneDrawInfo;
import com.brevanto.qovin.scenery.XPlaneInstance;
import com.brevanto.qovin.scenery.XPlaneProbeRef;
import com.brevanto.qovin.scenery.XPlaneSceneryFactory;
import java.util.logging.Logger;

/**
 * Scenery around the aircraft: loads a fuel truck in the background, parks it
 * beside the aircraft with its wheels turning (an instance), draws four more
 * in a ring around the aircraft, and probes the terrain under the aircraft,
 * twice a second; the truck and the ring are drawn every frame, after the
 * simulator draws its objects.
 */
final class ExampleScenery extends XPlaneFlightLoopCallbackHelper implements QOVINObjectLoadCallback {
    static final String FUEL_TRUCK = "Resources/default scenery/sim objects/apt_vehicles/fuel_truck.obj";
    private static final String WHEEL_ANGLE = "sim/graphics/animation/ground_traffic/tire_rotation_angle_deg";
    private static final Logger LOG = Logger.getLogger("qovin.example");

    private final XPlaneDataRef localX = XPlaneDataRef.find("sim/flightmodel/position/local_x");
    private final XPlaneDataRef localY = XPlaneDataRef.find("sim/flightmodel/position/local_y");
    private final XPlaneDataRef localZ = XPlaneDataRef.find("sim/flightmodel/position/local_z");
    private final XPlaneDataRef heading = XPlaneDataRef.find("sim/flightmodel/position/psi");
    private final XPlaneProbeRef probe;
    private final QOVINProbeInfo ground = new QOVINProbeInfo();
    private final XPlaneDrawInfo ring = new XPlaneDrawInfo(4);
    private QOVINObjectRef truck;
    private XPlaneInstance parked;
    /** The wheels' angle, the instance's one value: an array of one, reused (varargs would allocate). */
    private final float[] wheelAngle = new float[1];
    private int probes;
    private int draws;
    private final float[] single = new float[6];
    private final XPlaneDrawCallbackHelper drawing = new XPlaneDrawCallbackHelper() {
        @Override
        public int callback(int phase, boolean before) {
            if (truck != null) {
                truck.drawInstances(ring);
                truck.draw(single[0], single[1], single[2], single[3], single[4], single[5]);
                draws++;
            }
            return 1;
        }
    };
    private long drawingRef;

    ExampleScenery() {
        XPlaneSceneryFactory factory = new XPlaneSceneryFactory();
        probe = factory.createProbe();
        factory.loadObjectAsync(FUEL_TRUCK, this);
        register(0.5f);
        drawingRef = drawing.register(XPlaneDrawCallbackHelper.PHASE_OBJECTS, false);
    }

    @Override
    public void objectLoaded(QOVINObjectRef object) {
        if (!object.isLoaded()) {
            LOG.warning("could not load " + FUEL_TRUCK);
            return;
        }
        truck = object;
        parked = XPlaneInstance.create(truck, WHEEL_ANGLE);
        LOG.info("fuel truck loaded");
    }

    @Override
    public float callback(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter) {
        float x = (float) localX.getDouble();
        float y = (float) localY.getDouble();
        float z = (float) localZ.getDouble();
        probe.probe(x, y, z, ground);
        probes++;
        if (truck != null) {
            float psi = heading.getFloat();
            double across = Math.toRadians(psi + 90);
            wheelAngle[0] = (wheelAngle[0] + 30f) % 360f;
            parked.setPosition(x + 15f * (float) Math.sin(across), ground.locationY,
                    z - 15f * (float) Math.cos(across), 0f, psi, 0f, wheelAngle);
            for (int i = 0; i < ring.size(); i++) {
                double around = Math.toRadians(psi + 45 + 90 * i);
                ring.set(i, x + 40f * (float) Math.sin(around), ground.locationY, z - 40f * (float) Math.cos(around),
                        0f, psi + 90 * i, 0f);
            }
            single[0] = x;
            single[1] = ground.locationY;
            single[2] = z - 60f;
            single[4] = psi;
        }
        return 0.5f;
    }

    /** What it saw and drew. */
    String describe() {
        float above = (float) localY.getDouble() - ground.locationY;
        return String.format("probed the terrain %d times: the aircraft is %.1f m above %s; drew the fuel truck"
                + " %d times, at %d places each", probes, above, ground.wet ? "water" : "dry land", draws,
                ring.size() + 1);
    }

    void stop() {
        unregisterAll();
        drawing.unregister(drawingRef);
        if (parked != null) {
            parked.destroy();
        }
        if (truck != null) {
            truck.unload();
        }
        probe.destroy();
        ring.free();
    }
}
