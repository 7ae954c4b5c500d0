package com.brevanto.qovin.bench;

import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;

/** A flight loop that asks to run every loop and counts its calls. */
public final class BenchFlightLoop extends XPlaneFlightLoopCallbackHelper {
    private long calls;

    @Override
    public float callback(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter) {
        calls++;
        return -1.0f;
    }

    public long calls() {
        return calls;
    }
}
