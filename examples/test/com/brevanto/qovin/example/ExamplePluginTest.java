package com.brevanto.qovin.example;

import static org.junit.jupiter.api.Assertions.assertEquals;

import com.brevanto.qovin.testkit.QovinSim;
import com.brevanto.qovin.testkit.Run;
import com.brevanto.qovin.testkit.Sim;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.ExtendWith;

@ExtendWith(QovinSim.class)
class ExamplePluginTest {
    @Test
    void allocatesNothingPerFrameInSteadyState(Sim sim) {
        sim.set("sim/flightmodel/position/groundspeed", 25);
        Run<ExamplePlugin> run = sim.run(ExamplePlugin.class);
        sim.click(250, 350).type('q');
        assertEquals(0.0, run.allocatedBytesPerFrame(200, 200, 0.05));
        assertEquals(0, run.garbageCollectionsOver(100_000, 0.05));
    }
}
