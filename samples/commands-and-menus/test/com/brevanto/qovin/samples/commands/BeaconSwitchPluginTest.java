package com.brevanto.qovin.samples.commands;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.brevanto.qovin.testkit.QovinSim;
import com.brevanto.qovin.testkit.Run;
import com.brevanto.qovin.testkit.Sim;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.ExtendWith;

@ExtendWith(QovinSim.class)
class BeaconSwitchPluginTest {
    private static final String BEACON = "sim/cockpit/electrical/beacon_lights_on";
    private static final String[] ITEM = {"Lights", "Toggle beacon"};

    @Test
    void theCommandTurnsTheBeaconOnThenOff(Sim sim) {
        sim.run(BeaconSwitchPlugin.class);
        assertEquals(1.0, sim.command(BeaconSwitchPlugin.TOGGLE).number(BEACON));
        assertEquals(0.0, sim.command(BeaconSwitchPlugin.TOGGLE).number(BEACON));
    }

    @Test
    void holdingTheCommandTogglesOnlyOnce(Sim sim) {
        sim.run(BeaconSwitchPlugin.class);
        sim.begin(BeaconSwitchPlugin.TOGGLE).frames(5, 0.05).end(BeaconSwitchPlugin.TOGGLE);
        assertEquals(1.0, sim.number(BEACON));
    }

    @Test
    void pickingTheMenuItemRunsTheCommandAndChecksTheItem(Sim sim) {
        sim.run(BeaconSwitchPlugin.class);
        assertFalse(sim.isMenuItemChecked(ITEM));
        sim.pickMenuItem(ITEM);
        assertEquals(1.0, sim.number(BEACON));
        assertTrue(sim.isMenuItemChecked(ITEM));
        assertEquals(1, sim.calls("XPLMCommandOnce"));
    }

    @Test
    void theCheckMarkFollowsTheBeaconWhoeverTogglesIt(Sim sim) {
        sim.set(BEACON, 1).run(BeaconSwitchPlugin.class);
        assertTrue(sim.isMenuItemChecked(ITEM));
        assertFalse(sim.command(BeaconSwitchPlugin.TOGGLE).isMenuItemChecked(ITEM));
    }

    @Test
    void stoppingTakesTheMenuAway(Sim sim) {
        sim.run(BeaconSwitchPlugin.class).then(world -> assertTrue(world.hasMenuItem(ITEM))).stop();
        assertFalse(sim.hasMenuItem("Lights"));
    }

    @Test
    void allocatesNothingPerFrameInSteadyState(Sim sim) {
        Run<BeaconSwitchPlugin> run = sim.run(BeaconSwitchPlugin.class);
        sim.begin(BeaconSwitchPlugin.TOGGLE);
        assertEquals(0.0, run.allocatedBytesPerFrame(200, 200, 0.05));
        assertEquals(0, run.garbageCollectionsOver(100_000, 0.05));
        sim.end(BeaconSwitchPlugin.TOGGLE);
    }
}
