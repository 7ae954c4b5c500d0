package com.brevanto.qovin.testing;

import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;
import java.util.ArrayList;
import java.util.List;

/**
 * A flight-loop callback that answers the intervals of a script, one per call
 * (the last one repeated), records what it was called with, and throws on the
 * call numbered {@code throwOnCall} (counting from 1; 0: never).
 */
public final class ScriptedFlightLoop extends XPlaneFlightLoopCallbackHelper {
    private final float[] script;
    private final int throwOnCall;
    private final List<float[]> calls = new ArrayList<>();

    public ScriptedFlightLoop(float[] script, int throwOnCall) {
        this.script = script.clone();
        this.throwOnCall = throwOnCall;
    }

    @Override
    public float callback(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter) {
        calls.add(new float[] {elapsedSinceLastCall, elapsedTimeSinceLastFlightLoop, counter});
        if (calls.size() == throwOnCall) {
            throw new IllegalStateException("scripted failure");
        }
        return script[Math.min(calls.size(), script.length) - 1];
    }

    /** Every call as {elapsedSinceLastCall, elapsedTimeSinceLastFlightLoop, counter}. */
    public float[][] calls() {
        return calls.toArray(new float[0][]);
    }
}
