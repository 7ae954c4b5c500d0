package com.brevanto.qovin.samples.scenery;

import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.data.DirectDataRef;
import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;
import com.brevanto.qovin.scenery.QOVINObjectRef;
import com.brevanto.qovin.scenery.QOVINProbeInfo;
import com.brevanto.qovin.scenery.XPlaneInstance;
import com.brevanto.qovin.scenery.XPlaneProbeRef;
import com.brevanto.qovin.scenery.XPlaneSceneryFactory;

/**
 * A ground crew: a fuel truck parked 20 m to the right of the aircraft (an
 * instance of an object loaded in the background), and a terrain probe under
 * the aircraft twice a second whose answer, the height above the terrain, is
 * published as "qovin/samples/scenery/height_above_terrain_m".
 */
public class GroundCrewPlugin implements XPlanePlugin {
    public static final String TRUCK = "Resources/default scenery/sim objects/apt_vehicles/fuel_truck.obj";
    public static final String HEIGHT = "qovin/samples/scenery/height_above_terrain_m";
    private static final String WHEELS = "sim/graphics/animation/ground_traffic/tire_rotation_angle_deg";
    /** The value of WHEELS, passed as one array each time: varargs would allocate a new one per call. */
    private static final float[] WHEELS_STILL = {0f};

    private final XPlaneDataRef x = XPlaneDataRef.find("sim/flightmodel/position/local_x");
    private final XPlaneDataRef y = XPlaneDataRef.find("sim/flightmodel/position/local_y");
    private final XPlaneDataRef z = XPlaneDataRef.find("sim/flightmodel/position/local_z");
    private final XPlaneDataRef heading = XPlaneDataRef.find("sim/flightmodel/position/psi");
    private final QOVINProbeInfo ground = new QOVINProbeInfo();
    private final XPlaneFlightLoopCallbackHelper survey = new XPlaneFlightLoopCallbackHelper() {
        @Override
        public float callback(float sinceLastCall, float sinceLastLoop, int counter) {
            probe.probe((float) x.getDouble(), (float) y.getDouble(), (float) z.getDouble(), ground);
            if (ground.hit()) {
                height.set(y.getDouble() - ground.locationY);
            }
            if (truck != null) {
                park();
            }
            return 0.5f;
        }
    };
    private XPlaneProbeRef probe;
    private DirectDataRef height;
    private QOVINObjectRef truck;
    private XPlaneInstance parked;

    @Override
    public void start() {
        probe = new XPlaneSceneryFactory().createProbe();
        height = DirectDataRef.publishFloat(HEIGHT, 0);
        new XPlaneSceneryFactory().loadObjectAsync(TRUCK, object -> {
            if (object.isLoaded()) {
                truck = object;
                parked = XPlaneInstance.create(truck, WHEELS);
            }
        });
        survey.register(0.5f);
    }

    // 20 m to the right of the aircraft, facing the way it faces.
    private void park() {
        double psi = Math.toRadians(heading.getFloat());
        float truckX = (float) (x.getDouble() + 20 * Math.cos(psi));
        float truckZ = (float) (z.getDouble() + 20 * Math.sin(psi));
        parked.setPosition(truckX, (float) y.getDouble(), truckZ, 0, heading.getFloat(), 0, WHEELS_STILL);
    }

    /** Whether the truck has arrived (its object is loaded and placed). */
    public boolean truckParked() {
        return parked != null;
    }

    @Override
    public void stop() {
        survey.unregisterAll();
        if (parked != null) {
            parked.destroy();
            truck.unload();
        }
        probe.destroy();
        height.unregister();
    }
}
