package com.brevanto.qovin.planes;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registrations;

/**
 * The simulator's aircraft: the models in its slots, the user's aircraft and where it is, and exclusive access
 * to the others (AI aircraft) for a plugin that flies them. A plugin holding access gives it back when it stops.
 */
public final class XPlanePlanes {
    static {
        initialize();
    }

    /** The slot of the user's aircraft. */
    public static final int USER_AIRCRAFT = 0;
    /** Values of a draw state for {@link #drawAircraft}: gear, flaps, spoilers, speed brakes, slats, wing sweep,
     * thrust, yoke pitch, yoke heading, yoke roll. */
    public static final int DRAW_STATE_VALUES = 10;

    // The Registrations key of the access this process holds.
    private static final Object ACCESS = new Object();

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

    /**
     * Loads a new user aircraft, placed on the closest airport.
     *
     * @param aircraftPath the full path of its .acf file (null does nothing)
     */
    public static void setUsersAircraft(String aircraftPath) {
        HostThread.check();
        setUsersAircraftN(aircraftPath);
    }

    /**
     * Puts the user's aircraft at an airport.
     *
     * @param airportCode its ICAO code, such as "KBOS" (null does nothing)
     */
    public static void placeUserAtAirport(String airportCode) {
        HostThread.check();
        placeUserAtAirportN(airportCode);
    }

    /**
     * Puts the user's aircraft at a position, loading scenery as needed; its engines run.
     *
     * @param latitude degrees north
     * @param longitude degrees east
     * @param elevationMetersMsl elevation above mean sea level
     * @param headingDegreesTrue true heading
     * @param speedMetersPerSecond speed
     */
    public static void placeUserAtLocation(double latitude, double longitude, float elevationMetersMsl,
            float headingDegreesTrue, float speedMetersPerSecond) {
        HostThread.check();
        placeUserAtLocationN(latitude, longitude, elevationMetersMsl, headingDegreesTrue, speedMetersPerSecond);
    }

    /**
     * The aircraft slots, the active aircraft and the plugin that holds access.
     *
     * @return the counts
     */
    public static AircraftCount countAircraft() {
        HostThread.check();
        int[] counts = new int[3];
        countAircraftN(counts);
        return new AircraftCount(counts[0], counts[1], counts[2]);
    }

    /**
     * Asks for exclusive access to the aircraft, and loads {@code aircraft} into the slots from 1 on ("" or null
     * skips a slot). Refused while another plugin holds it: {@code whenAvailable} (if not null) is then called once,
     * when access is given back, unless this plugin stops first.
     *
     * @param aircraft .acf paths to load, or null
     * @param whenAvailable told when access frees after a refusal, or null
     * @return true if access was granted (also when this plugin held it already)
     */
    public static boolean acquirePlanes(String[] aircraft, PlanesAvailable whenAvailable) {
        HostThread.check();
        Waiter waiter = whenAvailable == null ? null : new Waiter(whenAvailable);
        long answer = acquirePlanesN(aircraft, waiter);
        if (answer == 1) {
            Registrations.add(ACCESS, XPlanePlanes::releasePlanes);
            return true;
        }
        if (answer > 1 && waiter != null) {
            waiter.ticket = answer;
            Registrations.add(waiter, waiter::cancel);
        }
        return false;
    }

    /** Gives access to the aircraft back; plugins waiting for it are told. Without access it does nothing. */
    public static void releasePlanes() {
        HostThread.check();
        Registrations.remove(ACCESS);
        releasePlanesN();
    }

    /**
     * Sets how many aircraft are active (the user's included), at most the slots. Needs access.
     *
     * @param count the number of active aircraft
     */
    public static void setActiveAircraftCount(int count) {
        HostThread.check();
        setActiveAircraftCountN(count);
    }

    /**
     * Loads an aircraft into a slot other than the user's. Needs access.
     *
     * @param index the slot, 1 or more
     * @param aircraftPath the full path of its .acf file
     */
    public static void setAircraftModel(int index, String aircraftPath) {
        HostThread.check();
        setAircraftModelN(index, aircraftPath);
    }

    /**
     * Turns the AI of an aircraft off: it stays and is drawn, but no longer flies itself. Needs access.
     *
     * @param index the slot, 1 or more
     */
    public static void disableAIForPlane(int index) {
        HostThread.check();
        disableAIForPlaneN(index);
    }

    /**
     * Draws an aircraft at a local position and attitude, from a 3-D drawing callback.
     *
     * @param index the slot
     * @param x local x
     * @param y local y
     * @param z local z
     * @param pitch degrees
     * @param roll degrees
     * @param yaw degrees
     * @param fullDraw true for the whole aircraft, false for its navigation lights only
     * @param drawState up to {@link #DRAW_STATE_VALUES} values in that order (those not given are 0), or null
     * @deprecated later versions of the simulator no longer offer it; draw instances instead
     */
    @Deprecated
    public static void drawAircraft(int index, float x, float y, float z, float pitch, float roll, float yaw,
            boolean fullDraw, float[] drawState) {
        HostThread.check();
        drawAircraftN(index, x, y, z, pitch, roll, yaw, fullDraw, drawState);
    }

    /** Recomputes the user's aircraft's derived flight-model values after datarefs were changed. */
    public static void reinitUsersPlane() {
        HostThread.check();
        reinitUsersPlaneN();
    }

    // What a refused acquisition leaves waiting: called once by the library, or cancelled when the plugin stops.
    private static final class Waiter {
        private final PlanesAvailable callback;
        private long ticket;

        Waiter(PlanesAvailable callback) {
            this.callback = callback;
        }

        void available() {
            Registrations.remove(this);
            callback.planesAvailable();
        }

        void cancel() {
            cancelWaitN(ticket);
        }
    }

    private static native void initialize();

    static native String[] getNthAircraftModelN(int index);

    static native void setUsersAircraftN(String aircraftPath);

    static native void placeUserAtAirportN(String airportCode);

    static native void placeUserAtLocationN(double latitude, double longitude, float elevation, float heading,
            float speed);

    static native void countAircraftN(int[] out);

    static native long acquirePlanesN(String[] aircraft, Object whenAvailable);

    static native boolean cancelWaitN(long ticket);

    static native void releasePlanesN();

    static native void setActiveAircraftCountN(int count);

    static native void setAircraftModelN(int index, String aircraftPath);

    static native void disableAIForPlaneN(int index);

    static native void drawAircraftN(int index, float x, float y, float z, float pitch, float roll, float yaw,
            boolean fullDraw, float[] drawState);

    static native void reinitUsersPlaneN();
}
