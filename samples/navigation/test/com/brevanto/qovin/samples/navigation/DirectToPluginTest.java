package com.brevanto.qovin.samples.navigation;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.brevanto.qovin.navigation.XPlaneNavigation;
import com.brevanto.qovin.testkit.QovinSim;
import com.brevanto.qovin.testkit.Run;
import com.brevanto.qovin.testkit.Sim;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.ExtendWith;

@ExtendWith(QovinSim.class)
class DirectToPluginTest {
    private static final String LATITUDE = "sim/flightmodel/position/latitude";
    private static final String LONGITUDE = "sim/flightmodel/position/longitude";

    @BeforeEach
    void twoAirportsAndAVor(Sim sim) {
        sim.clearNavaids()
                .addNavaid(XPlaneNavigation.TYPE_AIRPORT, "QSTH", "Southfield", 47.0, -122.0, 0)
                .addNavaid(XPlaneNavigation.TYPE_AIRPORT, "QNTH", "Northfield", 48.0, -122.0, 0)
                .addNavaid(XPlaneNavigation.TYPE_VOR, "QVR", "Midway VOR", 47.9, -122.0, 11450);
    }

    @Test
    void theNearestAirportIsLoggedEachTimeItChanges(Sim sim) {
        sim.set(LATITUDE, 47.1).set(LONGITUDE, -122.0);
        sim.run(DirectToPlugin.class).frames(20, 0.25).then(world -> world.set(LATITUDE, 47.9)).frames(8, 0.25);
        String log = sim.debugLog();
        int south = log.indexOf("Nearest airport: QSTH (Southfield)");
        assertTrue(south >= 0, log);
        assertTrue(log.indexOf("Nearest airport: QNTH (Northfield)") > south, log);
        assertEquals(south, log.lastIndexOf("Nearest airport: QSTH"), "logged once while it stays the nearest");
    }

    @Test
    void directToMakesTheNearestAirportTheDestination(Sim sim) {
        sim.set(LATITUDE, 47.8).set(LONGITUDE, -122.0).clearFlightPlan();
        sim.run(DirectToPlugin.class).frames(2, 0.25).then(world -> world.command(DirectToPlugin.DIRECT_TO));
        assertEquals("QNTH", sim.flightPlan().get(0));
        XPlaneNavigation navigation = new XPlaneNavigation();
        assertEquals(0, navigation.getDestinationFMSEntry());
        assertEquals(0, navigation.getDisplayedFMSEntry());
    }

    @Test
    void allocatesNothingPerFrameInSteadyState(Sim sim) {
        sim.set(LATITUDE, 47.1).set(LONGITUDE, -122.0);
        Run<DirectToPlugin> run = sim.run(DirectToPlugin.class);
        assertEquals(0.0, run.allocatedBytesPerFrame(200, 200, 0.05));
        assertEquals(0, run.garbageCollectionsOver(100_000, 0.05));
    }
}
