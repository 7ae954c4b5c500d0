package com.brevanto.qovin.samples.datarefs;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.brevanto.qovin.testkit.QovinSim;
import com.brevanto.qovin.testkit.Run;
import com.brevanto.qovin.testkit.Sim;
import java.util.Arrays;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.ExtendWith;

@ExtendWith(QovinSim.class)
class TaxiGuardPluginTest {
    private static final String GROUND_SPEED = "sim/flightmodel/position/groundspeed";
    private static final String THROTTLES = "sim/cockpit2/engine/actuators/throttle_ratio";

    @Test
    void theOdometerAddsTheDistanceTaxiedEachFrame(Sim sim) {
        sim.set(GROUND_SPEED, 8);
        sim.run(TaxiGuardPlugin.class).frames(20, 0.05);
        assertEquals(8.0, sim.asOtherPlugin().number(TaxiGuardPlugin.DISTANCE), 0.01);
    }

    @Test
    void theThrottlesGoToIdleWhenTheAircraftTaxisFasterThanTheLimit(Sim sim) {
        sim.set(THROTTLES, new float[] {0.8f, 0.8f}).set(GROUND_SPEED, 15);
        Run<TaxiGuardPlugin> run = sim.run(TaxiGuardPlugin.class).frames(3, 0.05);
        assertArrayEquals(new float[] {0, 0}, Arrays.copyOf(sim.floats(THROTTLES), 2));
        assertEquals(3, run.plugin().interventions());
        assertTrue(sim.debugLog().contains("Taxi guard: 15.0 m/s is over the limit, throttles to idle"));
    }

    @Test
    void anotherPluginRaisesTheLimitThroughThePublishedDataref(Sim sim) {
        sim.set(THROTTLES, new float[] {0.8f, 0.8f}).set(GROUND_SPEED, 15);
        sim.run(TaxiGuardPlugin.class).then(world -> world.asOtherPlugin().set(TaxiGuardPlugin.LIMIT, 20))
                .frames(3, 0.05);
        assertEquals(20.0, sim.asOtherPlugin().number(TaxiGuardPlugin.LIMIT));
        assertEquals(0.8f, sim.floats(THROTTLES)[1]);
    }

    @Test
    void aLimitOfZeroOrLessIsIgnored(Sim sim) {
        sim.run(TaxiGuardPlugin.class).then(world -> world.asOtherPlugin().set(TaxiGuardPlugin.LIMIT, -5));
        assertEquals(10.0, sim.number(TaxiGuardPlugin.LIMIT));
    }

    @Test
    void stoppingWithdrawsBothDatarefsAndTheFlightLoop(Sim sim) {
        sim.run(TaxiGuardPlugin.class).then(world -> assertTrue(world.isPublished(TaxiGuardPlugin.DISTANCE)))
                .frames(2, 0.05).stop();
        assertFalse(sim.isPublished(TaxiGuardPlugin.DISTANCE));
        assertFalse(sim.isPublished(TaxiGuardPlugin.LIMIT));
    }

    @Test
    void allocatesNothingPerFrameInSteadyState(Sim sim) {
        sim.set(THROTTLES, new float[] {0.8f, 0.8f}).set(GROUND_SPEED, 15);
        assertEquals(0.0, sim.run(TaxiGuardPlugin.class).allocatedBytesPerFrame(200, 200, 0.05));
    }

    @Test
    void aHundredThousandFramesRunWithoutAGarbageCollection(Sim sim) {
        sim.set(THROTTLES, new float[] {0.8f, 0.8f}).set(GROUND_SPEED, 15);
        Run<TaxiGuardPlugin> run = sim.run(TaxiGuardPlugin.class).frames(1000, 0.01);
        assertEquals(0, run.garbageCollectionsOver(100_000, 0.01));
        assertEquals(101_000, run.plugin().interventions());
    }
}
