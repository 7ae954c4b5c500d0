package com.brevanto.qovin.testkit;

/**
 * The stand-in simulator's control API (libxplmsim.so), as libqovin-testkit.so
 * exposes it to Java. Names are datarefs, commands and XPLM functions; every
 * call is made on the thread that loaded the bridge.
 */
final class StandIn {
    /** The simulator's own plugin ID, as the sender of a message or a caller. */
    static final int SIMULATOR = 0;
    /** The plugin the Java plugins run in. */
    static final int HOST_PLUGIN = 1;
    /** Another plugin, loaded next to the host. */
    static final int OTHER_PLUGIN = 2;

    private StandIn() {
    }

    static native void reset();

    static native void runFrames(int count, float seconds);

    static native int frameCount();

    static native String debugLog();

    static native int callCount(String function);

    static native String registrationsHeld();

    // --- datarefs ----------------------------------------------------------

    /** The dataref's XPLM type bits, 0 if the simulator does not know it. */
    static native int dataRefTypes(String name);

    /** Whether a plugin published the dataref (else the simulator owns it). */
    static native boolean isPublished(String name);

    static native double scalarValue(String name);

    static native float[] floatArrayValue(String name);

    static native int[] intArrayValue(String name);

    static native byte[] dataValue(String name);

    static native void setScalar(String name, double value);

    static native void setFloatArray(String name, float[] values);

    static native void setIntArray(String name, int[] values);

    static native void setData(String name, byte[] bytes);

    /** Reads through XPLM on behalf of {@code plugin}: double, else float, else int. */
    static native double readNumber(int plugin, String name);

    static native float[] readFloats(int plugin, String name);

    static native int[] readInts(int plugin, String name);

    static native byte[] readBytes(int plugin, String name);

    static native void writeNumber(int plugin, String name, double value);

    static native void writeFloats(int plugin, String name, float[] values);

    static native void writeInts(int plugin, String name, int[] values);

    static native void writeBytes(int plugin, String name, byte[] bytes);

    // --- commands, messages ----------------------------------------------

    /** False if the simulator knows no such command. */
    static native boolean commandExists(String name);

    static native void commandBegin(String name);

    static native void commandEnd(String name);

    static native void commandOnce(String name);

    static native void sendSimulatorMessage(int message, long param);

    // --- input, menus, windows, drawing ------------------------------------

    /** Whether a window took the click. */
    static native boolean click(int x, int y, boolean right);

    /** Whether a window took the wheel turn. */
    static native boolean turnWheel(int x, int y, int clicks);

    /** A key down then up: whether anyone but the simulator took the down. */
    static native boolean pressKey(char key, char virtualKey);

    static native boolean pressCombination(int virtualKey, int flags);

    static native String[] hotKeyDescriptions();

    static native void setMonitors(int[] bounds);

    static native int menuItemEnabled(String[] path);

    static native boolean featureEnabled(String name);

    static native boolean pickMenuPath(String[] path);

    /** The item's check state (0 none, 1 unchecked, 2 checked), -1 if there is no such item. */
    static native int menuItemCheck(String[] path);

    static native String[] windowTitles();

    static native String[] drawnStrings();

    static native void clearDrawings();

    // --- camera, navigation ------------------------------------------------

    /** x, y, z, pitch, heading, roll, zoom. */
    static native float[] cameraPosition();

    static native void userChangesView();

    static native int cameraCallbacks();

    static native int addNavaid(int type, String id, String name, float latitude, float longitude, int frequency);

    static native void clearNavaids();

    static native boolean setGpsDestination(String id);

    static native String[] flightPlan();

    static native void clearFlightPlan();
}
