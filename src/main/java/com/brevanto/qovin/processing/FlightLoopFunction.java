package com.brevanto.qovin.processing;

/**
 * A flight-loop callback as a lambda, for
 * {@link XPlaneFlightLoopCallbackHelper#schedule(float, FlightLoopFunction)}.
 */
@FunctionalInterface
public interface FlightLoopFunction {
    /**
     * Called by the flight loop.
     *
     * @param elapsedSinceLastCall seconds since this registration was last called (or registered)
     * @param elapsedTimeSinceLastFlightLoop seconds since the previous flight loop
     * @param counter the simulator's flight-loop counter
     * @return the interval until the next call, as {@link XPlaneFlightLoopCallbackHelper} describes it
     */
    float call(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter);
}
