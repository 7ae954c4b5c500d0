package com.brevanto.qovin.processing;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registrations;
import java.util.Objects;

/**
 * A flight loop of its own: created unscheduled in a {@link Phase} of the
 * simulator's frame, scheduled and unscheduled at will, destroyed by
 * {@link #close()}. Each call runs its {@link FlightLoopFunction}, whose result
 * is the next interval (positive seconds, negative flight loops, 0 unscheduled).
 * A closed flight loop refuses use with {@link IllegalStateException}; a
 * function that throws has its exception printed and is unscheduled.
 *
 * <pre>{@code
 * FlightLoop loop = FlightLoop.create(FlightLoop.Phase.AFTER_FLIGHT_MODEL, (sinceCall, sinceLoop, n) -> -1);
 * loop.schedule(-1, true);   // every flight loop from now on
 * ...
 * loop.close();
 * }</pre>
 */
public final class FlightLoop implements AutoCloseable {
    static {
        initialize();
    }

    /** Where in the simulator's frame the flight loop runs. */
    public enum Phase {
        /** Before the simulator moves the aircraft. */
        BEFORE_FLIGHT_MODEL,
        /** After the simulator moved the aircraft. */
        AFTER_FLIGHT_MODEL
    }

    private final Phase phase;
    private long id;

    private FlightLoop(Phase phase, long id) {
        this.phase = phase;
        this.id = id;
    }

    /**
     * Creates an unscheduled flight loop that calls {@code function}. The
     * plugin's stop destroys it if it is still open.
     *
     * @param phase where in the frame it runs
     * @param function what it calls; its result is the next interval
     * @return the flight loop
     * @throws IllegalStateException if the simulator refuses it
     */
    public static FlightLoop create(Phase phase, FlightLoopFunction function) {
        HostThread.check();
        Objects.requireNonNull(phase, "phase");
        Objects.requireNonNull(function, "function");
        long id = createN(phase.ordinal(), function);
        if (id == 0) {
            throw new IllegalStateException("the simulator refused the flight loop");
        }
        FlightLoop loop = new FlightLoop(phase, id);
        Registrations.add(loop, loop::close);
        return loop;
    }

    /**
     * Schedules the next call.
     *
     * @param interval seconds (positive) or flight loops (negative) until the next call; 0 unschedules it
     * @param relativeToNow true: counted from now; false: from its last call (or creation)
     * @throws IllegalStateException if it is closed
     */
    public void schedule(float interval, boolean relativeToNow) {
        HostThread.check();
        scheduleN(openId(), interval, relativeToNow);
    }

    /**
     * Stops the calls until it is scheduled again.
     *
     * @throws IllegalStateException if it is closed
     */
    public void unschedule() {
        schedule(0.0f, true);
    }

    /**
     * Where in the frame it runs.
     *
     * @return its phase
     */
    public Phase phase() {
        return phase;
    }

    /**
     * Whether it has not been closed.
     *
     * @return true until {@link #close()}
     */
    public boolean isOpen() {
        return id != 0;
    }

    /** Destroys it: it is not called again. Also allowed inside its own call; a second close does nothing. */
    @Override
    public void close() {
        HostThread.check();
        long closing = id;
        if (closing == 0) {
            return;
        }
        id = 0;
        destroyN(closing);
        Registrations.remove(this);
    }

    /**
     * Seconds since the simulator started.
     *
     * @return the simulator's elapsed time
     */
    public static float elapsedTime() {
        HostThread.check();
        return elapsedTimeN();
    }

    /**
     * The simulator's cycle number: 0 at start, one more each frame.
     *
     * @return the cycle number
     */
    public static int cycleNumber() {
        HostThread.check();
        return cycleNumberN();
    }

    private long openId() {
        if (id == 0) {
            throw new IllegalStateException("the flight loop is closed");
        }
        return id;
    }

    private static native void initialize();

    static native long createN(int phase, FlightLoopFunction function);

    static native boolean scheduleN(long id, float interval, boolean relativeToNow);

    static native boolean destroyN(long id);

    static native float elapsedTimeN();

    static native int cycleNumberN();
}
