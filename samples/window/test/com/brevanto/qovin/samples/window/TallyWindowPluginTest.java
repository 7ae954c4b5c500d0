package com.brevanto.qovin.samples.window;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.brevanto.qovin.testkit.QovinSim;
import com.brevanto.qovin.testkit.Run;
import com.brevanto.qovin.testkit.Sim;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.ExtendWith;

@ExtendWith(QovinSim.class)
class TallyWindowPluginTest {
    private static final int INSIDE_X = 250;
    private static final int INSIDE_Y = 350;

    @Test
    void theWindowOpensWithItsTitleAndDrawsItsStateEachFrame(Sim sim) {
        sim.run(TallyWindowPlugin.class).frames(3, 0.05);
        assertEquals(List.of("Tally"), sim.windows());
        assertEquals(List.of("clicks: 0, dial: 5, typed: ", "clicks: 0, dial: 5, typed: ",
                "clicks: 0, dial: 5, typed: "), sim.drawnStrings());
    }

    @Test
    void clicksInsideAreCountedAndClicksOutsideAreNot(Sim sim) {
        Run<TallyWindowPlugin> run = sim.run(TallyWindowPlugin.class);
        sim.click(INSIDE_X, INSIDE_Y).click(INSIDE_X, INSIDE_Y).click(50, 50);
        assertEquals("clicks: 2, dial: 5, typed: ", run.plugin().state());
    }

    @Test
    void keysReachTheWindowOnlyAfterAClickGaveItTheKeyboard(Sim sim) {
        Run<TallyWindowPlugin> run = sim.run(TallyWindowPlugin.class);
        sim.type('x').click(INSIDE_X, INSIDE_Y).type("qv");
        assertEquals("clicks: 1, dial: 5, typed: qv", run.plugin().state());
    }

    @Test
    void theWheelTurnsTheDialWithinItsRange(Sim sim) {
        Run<TallyWindowPlugin> run = sim.run(TallyWindowPlugin.class);
        sim.scroll(INSIDE_X, INSIDE_Y, 3);
        assertEquals("clicks: 0, dial: 8, typed: ", run.plugin().state());
        sim.scroll(INSIDE_X, INSIDE_Y, -20).clearDrawings().frames(1, 0.05);
        assertTrue(sim.drawnStrings().contains("clicks: 0, dial: 0, typed: "), sim.drawnStrings().toString());
    }

    @Test
    void controlTHidesAndShowsTheWindow(Sim sim) {
        sim.run(TallyWindowPlugin.class);
        assertEquals(List.of("Show or hide the tally window"), sim.hotKeys());
        assertTrue(sim.press(TallyWindowPlugin.TOGGLE_KEY, 4));
        sim.clearDrawings().frames(1, 0.05);
        assertEquals(List.of(), sim.drawnStrings());
        sim.press(TallyWindowPlugin.TOGGLE_KEY, 0);  // no control: not the hot key
        sim.frames(1, 0.05);
        assertEquals(List.of(), sim.drawnStrings());
        sim.press(TallyWindowPlugin.TOGGLE_KEY, 4);
        sim.frames(1, 0.05);
        assertEquals(List.of("clicks: 0, dial: 5, typed: "), sim.drawnStrings());
    }

    @Test
    void stoppingClosesTheWindow(Sim sim) {
        sim.run(TallyWindowPlugin.class).stop();
        assertEquals(List.of(), sim.windows());
        assertEquals(List.of(), sim.hotKeys());
    }

    @Test
    void allocatesNothingPerFrameInSteadyState(Sim sim) {
        Run<TallyWindowPlugin> run = sim.run(TallyWindowPlugin.class);
        sim.click(INSIDE_X, INSIDE_Y).type("qv").scroll(INSIDE_X, INSIDE_Y, 2);
        assertEquals(0.0, run.allocatedBytesPerFrame(200, 200, 0.05));
        assertEquals(0, run.garbageCollectionsOver(100_000, 0.05));
    }
}
