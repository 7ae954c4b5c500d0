package com.brevanto.qovin.bench;

import com.brevanto.qovin.processing.FlightLoop;
import com.brevanto.qovin.processing.FlightLoopFunction;

/** A flight-loop function that asks to run every loop and counts its calls. */
public final class BenchLoopFunction implements FlightLoopFunction {
    private long calls;

    @Override
    public float call(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter) {
        calls++;
        return -1.0f;
    }

    /** A flight loop after the flight model that calls this function every loop. */
    public FlightLoop scheduleEveryLoop() {
        FlightLoop loop = FlightLoop.create(FlightLoop.Phase.AFTER_FLIGHT_MODEL, this);
        loop.schedule(-1.0f, true);
        return loop;
    }

    public long calls() {
        return calls;
    }
}
