package com.brevanto.qovin.processing;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registration;
import com.brevanto.qovin.Registrations;
import java.util.HashSet;
import java.util.Set;

/**
 * A Java object that the simulator's flight loop calls. Subclass it, implement
 * {@link #callback(float, float, int)} and {@link #register(float)} it.
 *
 * <p>Intervals, at registration and as the callback's result: a positive value
 * is seconds until the next call, a negative value a number of flight loops
 * (-1 every loop, -2 every other loop), 0 stops the calls while the
 * registration stays. A callback that throws is not called again until it is
 * registered anew; its exception is printed.
 */
public abstract class XPlaneFlightLoopCallbackHelper {
    static {
        initialize();
    }

    private final Set<Long> registrations = new HashSet<>();

    /**
     * Called by the flight loop.
     *
     * @param elapsedSinceLastCall seconds since this registration was last called (or registered)
     * @param elapsedTimeSinceLastFlightLoop seconds since the previous flight loop
     * @param counter the simulator's flight-loop counter
     * @return the interval until the next call
     */
    public abstract float callback(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter);

    /**
     * Registers this object with the flight loop, first called after
     * {@code interval}. Each call makes a registration of its own; the
     * returned handler reference unregisters it.
     *
     * @param interval seconds (positive) or flight loops (negative) until the first call; 0 registers it stopped
     * @return the handler reference
     */
    public synchronized long register(float interval) {
        HostThread.check();
        long handlerRef = registerN(interval);
        registrations.add(handlerRef);
        Registrations.add(handlerRef, () -> unregister(handlerRef));
        return handlerRef;
    }

    /**
     * Registers this object like {@link #register(float)}, as a {@link Registration} whose
     * {@code close()} ends it:
     * {@code try (Registration r = loop.schedule(-1)) { ... }}.
     *
     * @param interval seconds (positive) or flight loops (negative) until the first call; 0 registers it stopped
     * @return the registration
     */
    public Registration schedule(float interval) {
        long handlerRef = register(interval);
        return new Registration(() -> unregister(handlerRef));
    }

    /**
     * Registers {@code function} with the flight loop, first called after {@code interval}:
     * {@code Registration r = XPlaneFlightLoopCallbackHelper.schedule(-1, (sinceCall, sinceLoop, n) -> -1);}
     *
     * @param interval seconds (positive) or flight loops (negative) until the first call; 0 registers it stopped
     * @param function what the flight loop calls; its result is the next interval
     * @return the registration; {@code close()} ends it and lets go of {@code function}
     */
    public static Registration schedule(float interval, FlightLoopFunction function) {
        return new FunctionLoop(function).schedule(interval);
    }

    /** A {@link FlightLoopFunction} as a flight-loop callback. */
    private static final class FunctionLoop extends XPlaneFlightLoopCallbackHelper {
        private final FlightLoopFunction function;

        FunctionLoop(FlightLoopFunction function) {
            this.function = function;
        }

        @Override
        public float callback(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter) {
            return function.call(elapsedSinceLastCall, elapsedTimeSinceLastFlightLoop, counter);
        }
    }

    /**
     * Ends the registration {@code handlerRef} of this object. Returns false,
     * and does nothing, for a reference that is not a current registration of
     * this object.
     *
     * @param handlerRef a reference {@link #register(float)} returned
     * @return true if the registration ended
     */
    public synchronized boolean unregister(long handlerRef) {
        HostThread.check();
        if (!registrations.remove(handlerRef)) {
            return false;
        }
        unregisterN(handlerRef);
        Registrations.remove(handlerRef);
        return true;
    }

    /**
     * Reschedules the registration {@code handlerRef} of this object (not from
     * inside its own callback, whose result decides instead). Returns false,
     * and does nothing, for a reference that is not a current registration of
     * this object.
     *
     * @param handlerRef a reference {@link #register(float)} returned
     * @param interval seconds (positive) or flight loops (negative) until the next call; 0 stops the calls
     * @param relativeToNow true: counted from now; false: from its last call (or registration)
     * @return true if it was rescheduled
     */
    public synchronized boolean setInterval(long handlerRef, float interval, boolean relativeToNow) {
        HostThread.check();
        if (!registrations.contains(handlerRef)) {
            return false;
        }
        setIntervalN(handlerRef, interval, relativeToNow);
        return true;
    }

    /** Ends every registration of this object. */
    public synchronized void unregisterAll() {
        HostThread.check();
        for (long handlerRef : registrations) {
            unregisterN(handlerRef);
            Registrations.remove(handlerRef);
        }
        registrations.clear();
    }

    /**
     * Number of current registrations of this object.
     *
     * @return the number of registrations
     */
    public synchronized int registrationCount() {
        return registrations.size();
    }

    private static native void initialize();

    private native long registerN(float interval);

    private native void unregisterN(long refcon);

    private native void setIntervalN(long refcon, float interval, boolean relativeToNow);
}
