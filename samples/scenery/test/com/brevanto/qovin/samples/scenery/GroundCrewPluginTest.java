package com.brevanto.qovin.samples.scenery;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.brevanto.qovin.testkit.QovinSim;
import com.brevanto.qovin.testkit.Run;
import com.brevanto.qovin.testkit.Sim;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.ExtendWith;

@ExtendWith(QovinSim.class)
class GroundCrewPluginTest {
    @Test
    void theProbeFindsTheAircraftOnTheGround(Sim sim) {
        sim.run(GroundCrewPlugin.class).frames(12, 0.05);
        assertEquals(sim.number("sim/flightmodel/position/y_agl"), sim.number(GroundCrewPlugin.HEIGHT), 0.01);
    }

    @Test
    void theHeightFollowsAClimb(Sim sim) {
        sim.run(GroundCrewPlugin.class).then(world -> world.set("sim/flightmodel/position/y_agl", 100))
                .frames(12, 0.05);
        assertEquals(100.0, sim.number(GroundCrewPlugin.HEIGHT), 0.5);
    }

    @Test
    void theTruckArrivesOnALaterFrameAndIsPlacedAsAnInstance(Sim sim) {
        Run<GroundCrewPlugin> run = sim.run(GroundCrewPlugin.class);
        assertFalse(run.plugin().truckParked(), "the object loads in the background");
        run.frames(12, 0.05);
        assertTrue(run.plugin().truckParked());
        assertTrue(sim.registrationsHeld().contains("1 instance"), sim.registrationsHeld());
    }

    @Test
    void stoppingReleasesTheTruckTheProbeAndTheDataref(Sim sim) {
        sim.run(GroundCrewPlugin.class).frames(12, 0.05).stop();
        assertEquals("", sim.registrationsHeld());
        assertFalse(sim.isPublished(GroundCrewPlugin.HEIGHT));
    }

    @Test
    void allocatesNothingPerFrameInSteadyState(Sim sim) {
        sim.set("sim/flightmodel/position/groundspeed", 5);
        Run<GroundCrewPlugin> run = sim.run(GroundCrewPlugin.class);
        assertEquals(0.0, run.allocatedBytesPerFrame(200, 200, 0.05));
        assertEquals(0, run.garbageCollectionsOver(100_000, 0.05));
    }
}
