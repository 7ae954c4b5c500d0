package com.brevanto.qovin.testkit;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.brevanto.qovin.map.MapLayer;
import com.brevanto.qovin.map.XPlaneMap;
import com.brevanto.qovin.planes.XPlanePlanes;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.ExtendWith;

@ExtendWith(QovinSim.class)
class SimMapsAndPlanesTest {
    private static final String MAP = "XPLM_MAP_IOS";

    // Whichever runs second would see the first one's map and layer, unless the kit reset the world.
    @Test
    void aTestBeginsWithNoMapOpen(Sim sim) {
        assertNoMapThenOpenOne(sim);
    }

    @Test
    void anotherTestBeginsWithNoMapOpenToo(Sim sim) {
        assertNoMapThenOpenOne(sim);
    }

    private static void assertNoMapThenOpenOne(Sim sim) {
        assertFalse(XPlaneMap.exists(MAP));
        assertEquals(List.of(), sim.mapLayers());
        sim.openMap(MAP);
        MapLayer layer = MapLayer.builder(MAP, MapLayer.FILL, "area")
                .labels((l, frame) -> frame.drawLabel("here", 3f, 4f, MapLayer.ORIENTATION_MAP, 10f))
                .create();
        sim.frames(1, 0.05);
        assertEquals(List.of(new MapLabel("area", "here", 3f, 4f, 0, 10f)), sim.mapLabels(MAP));
        assertEquals(List.of(MAP + "/fill/area"), sim.mapLayers());
        assertTrue(layer.isOpen());
    }

    @Test
    void aRefusedAcquisitionWaitsForTheOtherPluginToRelease(Sim sim) {
        assertTrue(sim.otherPluginAcquiresPlanes());
        int[] told = new int[1];
        assertFalse(XPlanePlanes.acquirePlanes(null, () -> told[0]++));
        assertEquals(1, sim.planesWaiting());
        assertFalse(sim.pluginHoldsPlanes());
        sim.otherPluginReleasesPlanes();
        assertEquals(1, told[0]);
        assertTrue(XPlanePlanes.acquirePlanes(null, null));
        assertTrue(sim.pluginHoldsPlanes());
        XPlanePlanes.setActiveAircraftCount(5);
        assertEquals(5, sim.activeAircraft());
        assertFalse(sim.otherPluginAcquiresPlanes());
    }
}
