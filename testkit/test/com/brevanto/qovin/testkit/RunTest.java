package com.brevanto.qovin.testkit;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertInstanceOf;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;
import java.util.ArrayList;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.ExtendWith;
import org.opentest4j.AssertionFailedError;

@ExtendWith(QovinSim.class)
class RunTest {
    /** Counts its flight loop's calls; throws from it once told to; may forget to unregister. */
    public static class CountingPlugin implements XPlanePlugin {
        final List<String> steps = new ArrayList<>();
        final List<String> messages = new ArrayList<>();
        int loops;
        boolean throwing;
        boolean leaky;
        private final XPlaneFlightLoopCallbackHelper loop = new XPlaneFlightLoopCallbackHelper() {
            @Override
            public float callback(float sinceLastCall, float sinceLastLoop, int counter) {
                if (throwing) {
                    throw new IllegalStateException("the loop broke");
                }
                loops++;
                return -1;
            }
        };
        private long registration;

        @Override
        public void start() {
            steps.add("start");
            registration = loop.register(-1);
        }

        @Override
        public void enable() {
            steps.add("enable");
        }

        @Override
        public void receiveMessage(int from, int message, long param) {
            messages.add(from + ":" + message + ":" + param);
        }

        @Override
        public void disable() {
            steps.add("disable");
        }

        @Override
        public void stop() {
            steps.add("stop");
            if (!leaky) {
                loop.unregister(registration);
            }
        }
    }

    public static class FailingStart implements XPlanePlugin {
        @Override
        public void start() {
            throw new UnsupportedOperationException("no start today");
        }

        @Override
        public void stop() {
        }
    }

    @Test
    void aRunStartsEnablesThenDisablesAndStopsThePlugin(Sim sim) {
        Run<CountingPlugin> run = sim.run(CountingPlugin.class);
        assertEquals(List.of("start", "enable"), run.plugin().steps);
        run.stop();
        assertEquals(List.of("start", "enable", "disable", "stop"), run.plugin().steps);
        assertFalse(run.isRunning());
    }

    @Test
    void framesRunTheFlightLoopOfTheRunningPlugin(Sim sim) {
        Run<CountingPlugin> run = sim.run(CountingPlugin.class).frames(20, 0.05);
        assertEquals(20, run.plugin().loops);
        assertEquals(20, sim.frameCount());
        assertEquals("", run.stop().registrationsHeld());
    }

    @Test
    void aPluginThatLeavesAFlightLoopRegisteredFailsWhenItStops(Sim sim) {
        CountingPlugin plugin = new CountingPlugin();
        plugin.leaky = true;
        Run<CountingPlugin> run = sim.run(plugin);
        AssertionFailedError failure = assertThrows(AssertionFailedError.class, run::stop);
        assertTrue(failure.getMessage().contains("left registered after stop: 1 flight loop"), failure.getMessage());
    }

    @Test
    void aCallbackThatThrowsFailsTheFramesWithItsExceptionAsCause(Sim sim) {
        Run<CountingPlugin> run = sim.run(CountingPlugin.class).frames(2, 0.05);
        run.plugin().throwing = true;
        AssertionFailedError failure = assertThrows(AssertionFailedError.class, () -> run.frames(3, 0.05));
        IllegalStateException cause = assertInstanceOf(IllegalStateException.class, failure.getCause());
        assertEquals("the loop broke", cause.getMessage());
        run.stop();
    }

    @Test
    void aStartThatThrowsFailsTheTestWithItsExceptionAsCause(Sim sim) {
        AssertionFailedError failure = assertThrows(AssertionFailedError.class, () -> sim.run(FailingStart.class));
        assertInstanceOf(UnsupportedOperationException.class, failure.getCause());
    }

    @Test
    void messagesFromTheSimulatorAndAnotherPluginReachTheRunningPlugin(Sim sim) {
        Run<CountingPlugin> run = sim.run(CountingPlugin.class);
        sim.message(XPlanePlugin.MSG_PLANE_LOADED, 0).asOtherPlugin().message(0x1234, 7);
        assertEquals(List.of("0:102:0", "2:4660:7"), run.plugin().messages);
        run.stop();
    }

    @Test
    void thenRunsTheTestsOwnStepsBetweenFrames(Sim sim) {
        List<Integer> seen = new ArrayList<>();
        sim.run(CountingPlugin.class).frames(3, 0.1).then(world -> seen.add(world.frameCount())).frames(2, 0.1)
                .then(world -> seen.add(world.frameCount())).stop();
        assertEquals(List.of(3, 5), seen);
    }

    /** Keeps a new array every frame: garbage the next frame. */
    public static class LitteringPlugin implements XPlanePlugin {
        long[] last;
        private final XPlaneFlightLoopCallbackHelper loop = new XPlaneFlightLoopCallbackHelper() {
            @Override
            public float callback(float sinceLastCall, float sinceLastLoop, int counter) {
                last = new long[8];
                return -1;
            }
        };

        @Override
        public void start() {
            loop.register(-1);
        }

        @Override
        public void stop() {
            loop.unregisterAll();
        }
    }

    @Test
    void aPluginThatAllocatesNothingInItsFramesMeasuresZeroBytesPerFrame(Sim sim) {
        assertEquals(0.0, sim.run(CountingPlugin.class).allocatedBytesPerFrame(200, 200, 0.05));
    }

    @Test
    void anArrayAllocatedEveryFrameShowsInTheBytesPerFrame(Sim sim) {
        double perFrame = sim.run(LitteringPlugin.class).allocatedBytesPerFrame(200, 200, 0.05);
        assertTrue(perFrame >= 8 * Long.BYTES, perFrame + " bytes per frame");
    }
}
