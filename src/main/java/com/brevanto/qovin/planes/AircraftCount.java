package com.brevanto.qovin.planes;

/** The simulator's aircraft: slots, active ones, and the plugin that holds access to them. */
public final class AircraftCount {
    /** The plugin ID that means no plugin holds access. */
    public static final int NO_PLUGIN = -1;

    private final int total;
    private final int active;
    private final int controller;

    AircraftCount(int total, int active, int controller) {
        this.total = total;
        this.active = active;
        this.controller = controller;
    }

    /**
     * Aircraft slots, the user's included.
     *
     * @return the number of slots
     */
    public int total() {
        return total;
    }

    /**
     * Active aircraft, the user's included.
     *
     * @return the number of active aircraft
     */
    public int active() {
        return active;
    }

    /**
     * The plugin that holds access to the aircraft.
     *
     * @return its plugin ID, or {@link #NO_PLUGIN}
     */
    public int controller() {
        return controller;
    }

    @Override
    public String toString() {
        return "AircraftCount[total=" + total + ", active=" + active + ", controller=" + controller + "]";
    }
}
