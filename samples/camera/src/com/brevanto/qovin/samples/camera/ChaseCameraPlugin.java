package com.brevanto.qovin.samples.camera;

import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.camera.XPlaneCameraControlHelper;
import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.util.XPlaneCommandRef;
import com.brevanto.qovin.util.XPlaneDebugStringImpl;

/**
 * A chase camera: the command {@value #CHASE} puts the camera {@value #BEHIND}
 * metres behind the aircraft and {@value #ABOVE} metres above it, looking
 * along its heading, until the user picks another view.
 */
public class ChaseCameraPlugin implements XPlanePlugin {
    public static final String CHASE = "qovin/samples/camera/chase";
    public static final float BEHIND = 30;
    public static final float ABOVE = 8;

    private XPlaneDataRef x;
    private XPlaneDataRef y;
    private XPlaneDataRef z;
    private XPlaneDataRef heading;
    private XPlaneCommandRef chase;
    private long handler;
    private boolean chasing;

    @Override
    public void start() {
        x = XPlaneDataRef.find("sim/flightmodel/position/local_x");
        y = XPlaneDataRef.find("sim/flightmodel/position/local_y");
        z = XPlaneDataRef.find("sim/flightmodel/position/local_z");
        heading = XPlaneDataRef.find("sim/flightmodel/position/psi");
        chase = new XPlaneCommandRef(CHASE, "Chase the aircraft with the camera") {
            @Override
            public boolean beforehandlerCallback(int phase) {
                if (phase == PHASE_BEGIN && !chasing) {
                    chasing = true;
                    XPlaneCameraControlHelper.controlCamera((position, losingControl) -> {
                        if (losingControl) {
                            chasing = false;
                            XPlaneDebugStringImpl.debugLine("Chase camera: released");
                            return 0;
                        }
                        double psi = Math.toRadians(heading.getFloat());
                        // Local x points east, z south: behind is against the heading.
                        float cx = (float) (x.getDouble() - BEHIND * Math.sin(psi));
                        float cz = (float) (z.getDouble() + BEHIND * Math.cos(psi));
                        position.set(cx, (float) y.getDouble() + ABOVE, cz, -10, heading.getFloat(), 0, 1);
                        return 1;
                    }, XPlaneCameraControlHelper.UNTIL_VIEW_CHANGES);
                }
                return false;
            }
        };
        handler = chase.registerHandler(true);
    }

    @Override
    public void disable() {
        if (chasing) {
            chasing = false;
            XPlaneCameraControlHelper.dontControl();
        }
    }

    @Override
    public void stop() {
        chase.unregisterHandler(handler);
    }
}
