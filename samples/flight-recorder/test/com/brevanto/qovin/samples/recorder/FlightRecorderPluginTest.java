package com.brevanto.qovin.samples.recorder;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.testkit.QovinSim;
import com.brevanto.qovin.testkit.Run;
import com.brevanto.qovin.testkit.Sim;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.ExtendWith;
import org.junit.jupiter.api.io.TempDir;

@ExtendWith(QovinSim.class)
class FlightRecorderPluginTest {
    private static final String RECORDING = FlightRecorderPlugin.RECORDING;

    @Test
    void writesARowEveryHalfSecondIntoTheOutputFolder(Sim sim, @TempDir Path root) throws IOException {
        sim.systemPath(root).set("sim/flightmodel/position/groundspeed", 30);
        sim.run(FlightRecorderPlugin.class).frames(40, 0.05).stop();
        List<String> lines = Files.readAllLines(root.resolve("Output").resolve(FlightRecorderPlugin.FILE));
        assertEquals("time_s,latitude,longitude,elevation_m,groundspeed_mps", lines.get(0));
        assertEquals(5, lines.size(), "a header and four rows in two seconds");
        assertTrue(lines.get(1).startsWith("0.50,"), lines.get(1));
        assertTrue(lines.get(1).endsWith(",30.0"), lines.get(1));
        assertEquals(List.of("Flight recorder on"), sim.spoken());
    }

    @Test
    void anotherPluginPausesAndResumesTheRecordingThroughTheSharedData(Sim sim, @TempDir Path root) {
        sim.systemPath(root);
        assertTrue(sim.asOtherPlugin().share(RECORDING, XPlaneDataRef.TYPE_INT));
        Run<FlightRecorderPlugin> run = sim.run(FlightRecorderPlugin.class);
        assertEquals(1.0, sim.asOtherPlugin().number(RECORDING));
        assertEquals(1, sim.asOtherPlugin().notifications(), "the recorder's 1 reached the other plugin");
        run.then(world -> world.asOtherPlugin().set(RECORDING, 0)).frames(20, 0.05);
        assertEquals(0, run.plugin().rows());
        assertEquals(0, sim.scheduledFlightLoopObjects());
        run.then(world -> world.asOtherPlugin().set(RECORDING, 1)).frames(20, 0.05);
        assertEquals(2, run.plugin().rows());
    }

    @Test
    void stoppingDestroysTheFlightLoopAndLeavesTheDataAtZero(Sim sim, @TempDir Path root) {
        sim.systemPath(root);
        sim.run(FlightRecorderPlugin.class).then(world -> assertEquals(1, world.flightLoopObjects()))
                .frames(4, 0.05).stop();
        assertEquals(0, sim.flightLoopObjects());
        assertEquals(0.0, sim.asOtherPlugin().number(RECORDING));
    }

    @Test
    void recordsWithoutGarbage(Sim sim, @TempDir Path root) {
        sim.systemPath(root).set("sim/flightmodel/position/groundspeed", 30);
        Run<FlightRecorderPlugin> run = sim.run(FlightRecorderPlugin.class);
        assertEquals(0.0, run.allocatedBytesPerFrame(200, 200, 0.05));
        assertEquals(0, run.garbageCollectionsOver(100_000, 0.05));
        assertEquals(10_080, run.plugin().rows(), "a row every half second of 100,800 frames of 0.05 s");
    }

    @Test
    void rowsShowTheirNumbersAsPrintfDoesToTheLastPlace() {
        double[] values = {0, -0.0, 0.004, -0.004, 0.005, 1.25, -1.25, 47.449888, -122.311777, 132.55, 99.995,
            123456.789, -0.05, 1e-9, 7};
        for (double value : values) {
            for (int decimals : new int[] {0, 1, 2, 6}) {
                String expected = String.format(java.util.Locale.ROOT, "%." + decimals + "f", value);
                String actual = FlightRecorderPlugin.fixed(new StringBuilder(), value, decimals).toString();
                String what = value + " to " + decimals + " places: " + actual + " against " + expected;
                assertEquals(expected.length(), actual.length(), what);
                assertEquals(expected.charAt(0) == '-', actual.charAt(0) == '-', what);
                assertTrue(Math.abs(Double.parseDouble(expected) - Double.parseDouble(actual))
                        <= Math.pow(10, -decimals) * 1.0001, what);
            }
        }
    }

    @Test
    void logsTheSimulatorsErrorReportsWhileItRuns(Sim sim, @TempDir Path root) {
        sim.systemPath(root);
        Run<FlightRecorderPlugin> run = sim.run(FlightRecorderPlugin.class);
        assertTrue(sim.reportError("XPLMScheduleFlightLoop: no such flight loop"));
        run.stop();
        assertFalse(sim.reportError("XPLMScheduleFlightLoop: no such flight loop"));
    }
}
