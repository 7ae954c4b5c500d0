package com.brevanto.qovin.planes;

import com.brevanto.qovin.HostThread;
/** The aircraft models loaded in the simulator's aircraft slots. */
public final class XPlanePlanes {
    /** The slot of the user's aircraft. */
    public static final int USER_AIRCRAFT = 0;

    private XPlanePlanes() {
    }

    /**
     * The model in slot {@code index} (0 is the user's aircraft) as
     * {file name, full path}; both are empty for an empty or unknown slot.
     *
     * @param index the slot
     * @return file name and path
     */
    public static String[] getNthAircraftModel(int index) {
        HostThread.check();
        return getNthAircraftModelN(index);
    }

    static native String[] getNthAircraftModelN(int index);
}
