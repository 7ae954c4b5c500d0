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
    int MSG_AIRPORT_LOADED = 103;
    int MSG_SCENERY_LOADED = 104;
    int MSG_AIRPLANE_COUNT_CHANGED = 105;
    /** An aircraft was unloaded; the parameter is its index. */
    int MSG_PLANE_UNLOADED = 106;
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

    /** A message from the simulator or from another plugin. */
    default void receiveMessage(int fromPlugin, int message, long param) {
    }
}
