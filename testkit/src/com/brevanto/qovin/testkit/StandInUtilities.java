package com.brevanto.qovin.testkit;

/**
 * The stand-in's folders, speech, keys, flight-loop objects, shared data and
 * error reports, as libqovin-testkit.so exposes them to Java.
 */
final class StandInUtilities {
    private StandInUtilities() {
    }

    static native boolean setSystemPath(String folder);

    static native void setLanguage(int code);

    static native String[] spokenStrings();

    static native int[] keyStrokes();

    static native int[] buttonsHeld();

    static native int cycleNumber();

    static native int flightLoopObjects();

    static native int scheduledFlightLoopObjects();

    /** The other plugin shares the data, with a notification that counts. */
    static native boolean otherPluginShares(String name, int type);

    static native boolean otherPluginUnshares(String name, int type);

    static native int otherPluginNotifications();

    /** The simulator reports a misuse to the running plugin's error callback; false if it has none. */
    static native boolean reportError(String message);
}
