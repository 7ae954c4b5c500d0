package com.brevanto.qovin.testkit;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.brevanto.qovin.XPlanePluginHelper;
import com.brevanto.qovin.display.HotKey;
import com.brevanto.qovin.display.Monitors;
import com.brevanto.qovin.menu.MenuItem;
import com.brevanto.qovin.menu.XPlaneMenu;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.ExtendWith;
import org.opentest4j.AssertionFailedError;

@ExtendWith(QovinSim.class)
class SimInputTest {
    @Test
    void aPressedCombinationFiresTheHotKeysOnItOnly(Sim sim) {
        int[] presses = {0};
        try (HotKey hotKey = HotKey.register('R', 1, "Reset", () -> presses[0]++)) {
            assertTrue(hotKey.isOpen());
            assertEquals(List.of("Reset"), sim.hotKeys());
            assertTrue(sim.press('R', 1));
            assertFalse(sim.press('R', 0));
            assertEquals(1, presses[0]);
        }
        assertEquals(List.of(), sim.hotKeys());
    }

    @Test
    void theMonitorsAreTheOnesTheTestSets(Sim sim) {
        sim.monitors(0, 1080, 1920, 0, 1920, 1440, 4480, 0);
        assertEquals(List.of(new Monitors.Bounds(0, 0, 1080, 1920, 0), new Monitors.Bounds(1, 1920, 1440, 4480, 0)),
                Monitors.os());
        assertEquals(2, Monitors.global().size());
    }

    @Test
    void aDisabledItemShowsSoAndDropsPicks(Sim sim) {
        int[] picks = {0};
        XPlaneMenu menu = XPlaneMenu.plugins().submenu("Kit");
        MenuItem item = new MenuItem("Go", () -> picks[0]++);
        menu.add(item);
        menu.setEnabled(item, false);
        assertFalse(sim.isMenuItemEnabled("Kit", "Go"));
        assertThrows(AssertionFailedError.class, () -> sim.pickMenuItem("Kit", "Go"));
        menu.setEnabled(item, true);
        sim.pickMenuItem("Kit", "Go");
        assertEquals(1, picks[0]);
        menu.destroy();
    }

    @Test
    void featuresThePluginTurnsOnShowAsOn(Sim sim) {
        assertFalse(sim.isFeatureEnabled(XPlanePluginHelper.FEATURE_USE_NATIVE_PATHS));
        XPlanePluginHelper.enableFeature(XPlanePluginHelper.FEATURE_USE_NATIVE_PATHS, true);
        assertTrue(sim.isFeatureEnabled(XPlanePluginHelper.FEATURE_USE_NATIVE_PATHS));
    }
}
