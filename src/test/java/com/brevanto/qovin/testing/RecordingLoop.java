package com.brevanto.qovin.testing;

import com.brevanto.qovin.processing.FlightLoop;
import com.brevanto.qovin.processing.FlightLoopFunction;
import java.util.ArrayList;
import java.util.List;

/** A flight-loop function that records the counters it is called with, and may throw or close its loop. */
public final class RecordingLoop implements FlightLoopFunction {
    private final List<Integer> counters = new ArrayList<>();
    private final boolean throwing;
    private final boolean closeInside;
    private FlightLoop loop;

    public RecordingLoop(boolean throwing, boolean closeInside) {
        this.throwing = throwing;
        this.closeInside = closeInside;
    }

    /** Creates its flight loop in phase {@code phase} (0 before, 1 after the flight model). */
    public FlightLoop create(int phase) {
        loop = FlightLoop.create(FlightLoop.Phase.values()[phase], this);
        return loop;
    }

    @Override
    public float call(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter) {
        counters.add(counter);
        if (closeInside) {
            loop.close();
        }
        if (throwing) {
            throw new IllegalStateException("recording loop fails");
        }
        return -1.0f;
    }

    public int calls() {
        return counters.size();
    }

    public int lastCounter() {
        return counters.isEmpty() ? -1 : counters.get(counters.size() - 1);
    }

    /** Runs {@code use} on a closed loop; true if it threw IllegalStateException. */
    public static boolean refusesAfterClose(FlightLoop closed) {
        try {
            closed.schedule(-1, true);
            return false;
        } catch (IllegalStateException expected) {
            return true;
        }
    }
}
