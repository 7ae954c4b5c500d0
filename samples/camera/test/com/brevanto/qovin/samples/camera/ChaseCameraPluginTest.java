package com.brevanto.qovin.samples.camera;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.brevanto.qovin.testkit.CameraPosition;
import com.brevanto.qovin.testkit.QovinSim;
import com.brevanto.qovin.testkit.Run;
import com.brevanto.qovin.testkit.Sim;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.ExtendWith;

@ExtendWith(QovinSim.class)
class ChaseCameraPluginTest {
    @Test
    void theCameraFollowsBehindAndAboveTheAircraftAlongItsHeading(Sim sim) {
        sim.set("sim/flightmodel/position/psi", 90).set("sim/flightmodel/position/groundspeed", 20);
        sim.run(ChaseCameraPlugin.class).then(world -> world.command(ChaseCameraPlugin.CHASE)).frames(10, 0.1);
        CameraPosition camera = sim.cameraPosition();
        double east = sim.number("sim/flightmodel/position/local_x");
        assertEquals(east - ChaseCameraPlugin.BEHIND, camera.x(), 0.5);
        assertEquals(sim.number("sim/flightmodel/position/local_z"), camera.z(), 0.5);
        assertEquals(sim.number("sim/flightmodel/position/local_y") + ChaseCameraPlugin.ABOVE, camera.y(), 0.5);
        assertEquals(90, camera.heading());
    }

    @Test
    void changingTheViewReleasesTheCamera(Sim sim) {
        sim.run(ChaseCameraPlugin.class).then(world -> world.command(ChaseCameraPlugin.CHASE)).frames(2, 0.1);
        assertTrue(sim.registrationsHeld().contains("camera"), sim.registrationsHeld());
        sim.changeView().frames(2, 0.1);
        assertTrue(sim.debugLog().contains("Chase camera: released"));
        assertEquals("1 command handler", sim.registrationsHeld());
    }

    @Test
    void stoppingWhileChasingGivesTheCameraBack(Sim sim) {
        sim.run(ChaseCameraPlugin.class).then(world -> world.command(ChaseCameraPlugin.CHASE)).frames(2, 0.1).stop();
        int calls = sim.cameraControllerCalls();
        assertEquals(calls, sim.frames(3, 0.1).cameraControllerCalls());
    }

    @Test
    void allocatesNothingPerFrameInSteadyState(Sim sim) {
        sim.set("sim/flightmodel/position/groundspeed", 20);
        Run<ChaseCameraPlugin> run = sim.run(ChaseCameraPlugin.class)
                .then(world -> world.command(ChaseCameraPlugin.CHASE));
        assertEquals(0.0, run.allocatedBytesPerFrame(200, 200, 0.05));
        assertEquals(0, run.garbageCollectionsOver(100_000, 0.05));
    }
}
