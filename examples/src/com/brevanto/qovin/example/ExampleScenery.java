package com.brevanto.qovin.example;

import com.brevanto.qovin.data.XPlaneDataRef;
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
 * twice a second.
 *
 * <p>Drawing belongs in a drawing callback; until the example has one, it
 * draws from its flight loop, which the stand-in simulator accepts.
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
    private float wheelAngle;
    private int probes;
    private int draws;

    ExampleScenery() {
        XPlaneSceneryFactory factory = new XPlaneSceneryFactory();
        probe = factory.createProbe();
        factory.loadObjectAsync(FUEL_TRUCK, this);
        register(0.5f);
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
            wheelAngle = (wheelAngle + 30f) % 360f;
            parked.setPosition(x + 15f * (float) Math.sin(across), ground.locationY,
                    z - 15f * (float) Math.cos(across), 0f, psi, 0f, wheelAngle);
            for (int i = 0; i < ring.size(); i++) {
                double around = Math.toRadians(psi + 45 + 90 * i);
                ring.set(i, x + 40f * (float) Math.sin(around), ground.locationY, z - 40f * (float) Math.cos(around),
                        0f, psi + 90 * i, 0f);
            }
            truck.drawInstances(ring);
            truck.draw(x, ground.locationY, z - 60f, 0f, psi, 0f);
            draws++;
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
