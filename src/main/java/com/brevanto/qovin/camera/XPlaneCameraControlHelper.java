package com.brevanto.qovin.camera;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registrations;
/**
 * Taking over the simulator's camera, and reading where it is.
 */
public final class XPlaneCameraControlHelper {
    static {
        initialize();
    }

    /** Control lasts until the user picks another view. */
    public static final int UNTIL_VIEW_CHANGES = 1;
    /** Control lasts until the plugin is disabled or another takes over. */
    public static final int FOREVER = 2;

    private XPlaneCameraControlHelper() {
    }

    /**
     * {@code controller} takes the camera from the next frame, for
     * {@code howLong} ({@link #UNTIL_VIEW_CHANGES} or {@link #FOREVER}). It is
     * kept alive until the simulator makes its losing-control call; to give the
     * camera up and be released, answer 0 from
     * {@link QOVINCameraControl#controlCamera}.
     *
     * @param controller the controller, called each frame
     * @param howLong {@link #UNTIL_VIEW_CHANGES} or {@link #FOREVER}
     */
    public static void controlCamera(QOVINCameraControl controller, int howLong) {
        HostThread.check();
        if (controller == null) {
            controlCameraN(null, howLong);
            return;
        }
        Control control = new Control(controller);
        Registrations.add(control, () -> {
            if (current == control) {
                dontControl();
            }
        });
        controlCameraN(control, howLong);
        current = control;
    }

    /**
     * Tells the simulator to drive the camera again. The controller gets no
     * losing-control call then; it is released at once.
     */
    public static void dontControl() {
        HostThread.check();
        dontControlN();
        if (current != null) {
            Registrations.remove(current);
            current = null;
        }
    }

    /** The control that holds the camera now, if it is one of ours. */
    private static Control current;

    /** A controller as the simulator holds it: it knows when control ends. */
    private static final class Control implements QOVINCameraControl {
        private final QOVINCameraControl controller;

        Control(QOVINCameraControl controller) {
            this.controller = controller;
        }

        @Override
        public int controlCamera(QOVINCameraPosition position, boolean losingControl) {
            if (losingControl) {
                if (current == this) {
                    current = null;
                }
                Registrations.remove(this);
            }
            return controller.controlCamera(position, losingControl);
        }
    }

    /**
     * x, y, z, pitch, heading, roll, zoom of the camera now.
     *
     * @return a new array of seven
     */
    public static float[] position() {
        HostThread.check();
        float[] pos = new float[7];
        readCameraPosition(pos);
        return pos;
    }

    /**
     * The duration code of the current control, or null if no plugin holds the camera.
     *
     * @return {@link #UNTIL_VIEW_CHANGES}, {@link #FOREVER}, or null
     */
    public static Integer controlDuration() {
        HostThread.check();
        return isCameraBeingControlledN();
    }

    private static native void initialize();

    private static native void controlCameraN(QOVINCameraControl jcontrol, int howLong);

    private static native void dontControlN();

    /**
     * Writes x, y, z, pitch, heading, roll, zoom into elements 0 to 6.
     *
     * @param buf the array written (only the elements it has)
     */
    public static native void readCameraPosition(float[] buf);

    private static native Integer isCameraBeingControlledN();
}
