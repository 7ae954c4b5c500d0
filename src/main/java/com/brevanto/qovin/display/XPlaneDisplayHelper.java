package com.brevanto.qovin.display;

import com.brevanto.qovin.HostThread;
/**
 * The desktop, the screen and the mouse. Global coordinates are desktop
 * boxels over every simulator window and monitor; the legacy mouse location is
 * in pixels from the main simulator window's lower left corner.
 */
public class XPlaneDisplayHelper {
    /**
     * Left, top, right, bottom of the whole desktop, in global coordinates.
     *
     * @return a new array of four
     */
    public static int[] screenBoundsGlobal() {
        HostThread.check();
        int[] bounds = new int[4];
        getScreenBoundsGlobalN(bounds);
        return bounds;
    }

    /**
     * Where the mouse is, in global coordinates: x, y.
     *
     * @return a new array of two
     */
    public static int[] mouseLocationGlobal() {
        HostThread.check();
        int[] location = new int[2];
        getMouseLocationGlobalN(location);
        return location;
    }

    /**
     * Width and height of the simulator's main window, in pixels.
     *
     * @return a new array of two
     */
    public static int[] screenSize() {
        HostThread.check();
        int[] size = new int[2];
        getScreenSizeN(size);
        return size;
    }

    /**
     * Where the mouse is, in pixels from the main window's lower left corner: x, y.
     *
     * @return a new array of two
     */
    public int[] mouseLocation() {
        HostThread.check();
        int[] location = new int[2];
        getMouseLocationN(location);
        return location;
    }

    /**
     * Writes left, top, right, bottom into elements 0 to 3.
     *
     * @param jbounds the array written (only the elements it has)
     */
    public static native void getScreenBoundsGlobalN(int[] jbounds);

    /**
     * Writes x, y into elements 0 and 1.
     *
     * @param jloc the array written (only the elements it has)
     */
    public native void getMouseLocationN(int[] jloc);

    /**
     * Writes x, y into elements 0 and 1.
     *
     * @param jloc the array written (only the elements it has)
     */
    public static native void getMouseLocationGlobalN(int[] jloc);

    /**
     * Writes width, height into elements 0 and 1.
     *
     * @param jSize the array written (only the elements it has)
     */
    public static native void getScreenSizeN(int[] jSize);
}
