package com.brevanto.qovin.testing;

import com.brevanto.qovin.Registration;
import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;
import com.brevanto.qovin.util.XPlaneCommandRef;
import java.util.ArrayList;
import java.util.List;

/** Flight loops and command handlers registered as lambdas over this object, and what they were called with. */
public final class LambdaRegistrations {
    private final List<Integer> phases = new ArrayList<>();
    private int loopCalls;

    /**
     * Registers a lambda called every flight loop.
     *
     * @return its registration
     */
    public Registration everyLoop() {
        return XPlaneFlightLoopCallbackHelper.schedule(-1, (sinceCall, sinceLoop, counter) -> {
            loopCalls++;
            return -1;
        });
    }

    /**
     * Registers a lambda that records the phases of {@code command} before the simulator handles it.
     *
     * @param command the command
     * @return its registration
     */
    public Registration recordPhases(XPlaneCommandRef command) {
        return command.handle(true, phase -> phases.add(phase));
    }

    /**
     * Executes {@code command} once inside a try-with-resources that registers a flight loop and a
     * phase recorder, and once after it.
     *
     * @param command the command
     */
    public void onceInsideTryAndOnceAfter(XPlaneCommandRef command) {
        try (Registration loop = everyLoop(); Registration handler = recordPhases(command)) {
            if (loop.isOpen() && handler.isOpen()) {
                command.once();
            }
        }
        command.once();
    }

    /**
     * The phases recorded.
     *
     * @return the phases, in order
     */
    public int[] phases() {
        return phases.stream().mapToInt(Integer::intValue).toArray();
    }

    /**
     * The flight-loop calls made.
     *
     * @return the number of calls
     */
    public int loopCalls() {
        return loopCalls;
    }
}
