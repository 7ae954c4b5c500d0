package com.brevanto.qovin;

/**
 * A plugin written in Java. The host calls these methods on the simulator's
 * main thread, in the order start, enable, (receiveMessage)*, disable, stop.
 * The class needs a public constructor without arguments.
 */
public interface XPlanePlugin {
    /** Messages the simulator sends every plugin ({@link #receiveMessage}). */
    int MSG_PLANE_CRASHED = 101;
    /** An aircraft was loaded; the parameter is its index (0: the user's). */
    int MSG_PLANE_LOADED = 102;
    /** The user's aircraft was placed at an airport. */
    int MSG_AIRPORT_LOADED = 103;
    /** New scenery was loaded. */
    int MSG_SCENERY_LOADED = 104;
    /** The number of aircraft changed. */
    int MSG_AIRPLANE_COUNT_CHANGED = 105;
    /** An aircraft was unloaded; the parameter is its index. */
    int MSG_PLANE_UNLOADED = 106;
    /** The simulator is about to write its preferences. */
    int MSG_WILL_WRITE_PREFS = 107;
    /** A livery was loaded; the parameter is the aircraft's index. */
    int MSG_LIVERY_LOADED = 108;
    /** The ID of the simulator itself as a message's sender. */
    int FROM_SIMULATOR = 0;

    /** Called once after the bridge is loaded: find datarefs, register callbacks. */
    void start();

    /** Called once before the plugin is unloaded: release what start took. */
    void stop();

    /** Called when the plugin is enabled. */
    default void enable() {
    }

    /** Called when the plugin is disabled. */
    default void disable() {
    }

    /**
     * A message from the simulator or from another plugin.
     *
     * @param fromPlugin the sender's plugin ID ({@link #FROM_SIMULATOR} for the simulator)
     * @param message the message, e.g. {@link #MSG_PLANE_LOADED}
     * @param param the message's parameter (an index, or a pointer as a number)
     */
    default void receiveMessage(int fromPlugin, int message, long param) {
    }
}
