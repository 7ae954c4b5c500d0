package com.brevanto.qovin.samples.maplayer;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.brevanto.qovin.testkit.MapIcon;
import com.brevanto.qovin.testkit.MapLabel;
import com.brevanto.qovin.testkit.QovinSim;
import com.brevanto.qovin.testkit.Run;
import com.brevanto.qovin.testkit.Sim;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.ExtendWith;

@ExtendWith(QovinSim.class)
class AircraftMarkerPluginTest {
    private static final String MAP = "XPLM_MAP_USER_INTERFACE";

    @Test
    void theAircraftIsAnIconAndALabelWhereItIsTurnedToItsHeading(Sim sim) {
        sim.setText("sim/aircraft/view/acf_tailnum", "N42QV").set("sim/flightmodel/position/psi", 90);
        sim.run(AircraftMarkerPlugin.class).then(world -> world.openMap(MAP)).frames(2, 0.05);
        List<MapIcon> icons = sim.mapIcons(MAP);
        assertEquals(1, icons.size());
        assertEquals(AircraftMarkerPlugin.ICONS, icons.get(0).pngPath());
        assertEquals(90f, icons.get(0).rotation(), 0.01f);
        assertEquals(0f, icons.get(0).x(), 0.01f);  // the map opened centred on the aircraft
        List<MapLabel> labels = sim.mapLabels(MAP);
        assertEquals(List.of(new MapLabel(AircraftMarkerPlugin.LAYER, "N42QV", 0f, 0f, 1, 0f)), labels);
    }

    @Test
    void theMarkerFollowsTheAircraftEast(Sim sim) {
        sim.set("sim/flightmodel/position/psi", 90).set("sim/flightmodel/position/groundspeed", 100);
        sim.run(AircraftMarkerPlugin.class).then(world -> world.openMap(MAP)).frames(100, 0.1);
        assertEquals(9.9f, sim.mapIcons(MAP).get(0).x(), 0.2f);  // 990 m at 100 m per map unit
    }

    @Test
    void closingTheMapEndsTheLayerAndReopeningAddsItAgain(Sim sim) {
        Run<AircraftMarkerPlugin> run = sim.run(AircraftMarkerPlugin.class).then(world -> world.openMap(MAP));
        assertTrue(run.plugin().layerShown());
        sim.closeMap(MAP);
        assertFalse(run.plugin().layerShown());
        sim.openMap(MAP);
        assertEquals(List.of(MAP + "/markings/" + AircraftMarkerPlugin.LAYER), sim.mapLayers());
        run.stop();
        assertEquals(List.of(), sim.mapLayers());
        assertEquals("", sim.registrationsHeld());
    }

    @Test
    void allocatesNothingPerFrameInSteadyState(Sim sim) {
        Run<AircraftMarkerPlugin> run = sim.run(AircraftMarkerPlugin.class).then(world -> world.openMap(MAP));
        assertEquals(0.0, run.allocatedBytesPerFrame(200, 200, 0.05));
        assertEquals(0, run.garbageCollectionsOver(100_000, 0.05));
    }
}
