package com.brevanto.qovin.testkit;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.brevanto.qovin.XPlanePluginHelper;
import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.navigation.XPlaneNavigation;
import com.brevanto.qovin.util.XPlaneDebugStringImpl;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.ExtendWith;

@ExtendWith(QovinSim.class)
class SimTest {
    private static final String TAIL_NUMBER = "sim/aircraft/view/acf_tailnum";
    private static final String THROTTLES = "sim/cockpit2/engine/actuators/throttle_ratio";
    private static final String HARDWARE_THROTTLES = "sim/cockpit2/engine/actuators/hardware_throttle_ratio";

    @Test
    void theBridgeIsLoadedAndCallsTheStandIn(Sim sim) {
        assertTrue(XPlanePluginHelper.isLoaded());
        XPlaneDebugStringImpl.debugLine("hello from the test");
        assertTrue(sim.debugLog().contains("hello from the test"));
        assertEquals(1, sim.calls("XPLMDebugString"));
    }

    // Whichever of these two runs second sees what the first left, unless the kit reset the world.
    @Test
    void aTestBeginsInTheDefaultWorld(Sim sim) {
        assertDefaultWorldThenDirtyIt(sim);
    }

    @Test
    void anotherTestBeginsInTheDefaultWorldToo(Sim sim) {
        assertDefaultWorldThenDirtyIt(sim);
    }

    private static void assertDefaultWorldThenDirtyIt(Sim sim) {
        assertEquals(0, sim.frameCount());
        assertEquals("N172SP", sim.text(TAIL_NUMBER));
        assertEquals(0, sim.calls("XPLMDebugString"));
        sim.setText(TAIL_NUMBER, "N1DIRTY").frames(1, 0.05);
        XPlaneDebugStringImpl.debugLine("dirty");
    }

    @Test
    void whatTheSimulatorSetsThePluginsRead(Sim sim) {
        sim.setText(TAIL_NUMBER, "N42QV").set(THROTTLES, new float[] {0.5f, 0.25f}).set("sim/flightmodel/position/psi", 90);
        assertEquals("N42QV", XPlaneDataRef.find(TAIL_NUMBER).getString());
        float[] throttles = new float[2];
        XPlaneDataRef.find(THROTTLES).getFloatArray(0, throttles);
        assertArrayEquals(new float[] {0.5f, 0.25f}, throttles);
        assertEquals(90.0, XPlaneDataRef.find("sim/flightmodel/position/psi").getFloat());
    }

    @Test
    void theSimulatorWritesItsReadOnlyDatarefsButAnotherPluginCannot(Sim sim) {
        sim.set(HARDWARE_THROTTLES, new float[] {0.75f});
        sim.asOtherPlugin().set(HARDWARE_THROTTLES, new float[] {0.25f});
        assertEquals(0.75f, sim.floats(HARDWARE_THROTTLES)[0]);
        assertEquals(0.75f, sim.asOtherPlugin().floats(HARDWARE_THROTTLES)[0]);
        assertEquals(16, sim.floats(HARDWARE_THROTTLES).length);
    }

    @Test
    void anUnknownDatarefOrCommandIsRefusedByName(Sim sim) {
        IllegalArgumentException unknown = assertThrows(IllegalArgumentException.class, () -> sim.number("no/such/ref"));
        assertTrue(unknown.getMessage().contains("no/such/ref"));
        assertThrows(IllegalArgumentException.class, () -> sim.number(THROTTLES));
        assertThrows(IllegalArgumentException.class, () -> sim.command("no/such/command"));
        assertFalse(sim.hasDataRef("no/such/ref"));
    }

    @Test
    void framesMoveTheAircraftAlongItsHeading(Sim sim) {
        double east = sim.number("sim/flightmodel/position/local_x");
        sim.set("sim/flightmodel/position/psi", 90).set("sim/flightmodel/position/groundspeed", 25).frames(10, 0.1);
        assertEquals(east + 25, sim.number("sim/flightmodel/position/local_x"), 0.5);
    }

    @Test
    void navaidsAddedToTheDatabaseAreFoundByThePlugins(Sim sim) {
        sim.clearNavaids().addNavaid(XPlaneNavigation.TYPE_VOR, "QVN", "QOVIN VOR", 47.5, -122.3, 11450);
        assertEquals("QVN", new XPlaneNavigation().getFirstNavAid().getId());
        assertEquals(4, sim.flightPlan().size());
        assertTrue(sim.clearFlightPlan().flightPlan().isEmpty());
    }

    @Test
    void aGarbageCollectionIsCounted(Sim sim) {
        long before = sim.garbageCollections();
        System.gc();
        assertTrue(sim.garbageCollections() > before);
    }
}
