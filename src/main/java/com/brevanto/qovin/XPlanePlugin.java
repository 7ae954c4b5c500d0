package com.brevanto.qovin;

/**
 * A plugin written in Java. The host calls these methods on the simulator's
 * main thread, in the order start, enable, (receiveMessage)*, disable, stop.
 * The class needs a public constructor without arguments.
 */
public interface XPlanePlugin {
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
