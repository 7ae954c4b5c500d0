package com.brevanto.qovin.samples.recorder;

import com.brevanto.qovin.Registration;
import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.data.SharedData;
import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.processing.FlightLoop;
import com.brevanto.qovin.util.Folders;
import com.brevanto.qovin.util.Simulator;
import com.brevanto.qovin.util.SimulatorErrors;
import java.io.IOException;
import java.io.PrintWriter;
import java.io.UncheckedIOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.logging.Logger;

/**
 * Records the flight into {@value #FILE} in the simulator's Output folder: a
 * row every half second (time, latitude, longitude, elevation, ground speed),
 * written by a flight loop of its own after the flight model. The recording
 * state is data shared with other plugins under {@value #RECORDING}: 1 while
 * recording; another plugin writes 0 to pause the recording and 1 to resume it.
 */
public class FlightRecorderPlugin implements XPlanePlugin {
    public static final String RECORDING = "qovin/samples/flight_recorder/recording";
    public static final String FILE = "flight-recorder.csv";
    static final float INTERVAL = 0.5f;
    private static final Logger LOG = Logger.getLogger("flight-recorder");

    private XPlaneDataRef latitude;
    private XPlaneDataRef longitude;
    private XPlaneDataRef elevation;
    private XPlaneDataRef groundSpeed;
    private SharedData recording;
    private XPlaneDataRef recordingState;
    private FlightLoop sampler;
    private PrintWriter csv;
    private int rows;
    private Registration errorLog;

    @Override
    public void start() {
        errorLog = SimulatorErrors.logTo(LOG);  // the simulator's reports of our mistakes
        Simulator.Versions versions = Simulator.versions();
        LOG.info("recording in X-Plane " + versions.xplane() + " (XPLM " + versions.xplm() + ")");
        latitude = XPlaneDataRef.find("sim/flightmodel/position/latitude");
        longitude = XPlaneDataRef.find("sim/flightmodel/position/longitude");
        elevation = XPlaneDataRef.find("sim/flightmodel/position/elevation");
        groundSpeed = XPlaneDataRef.find("sim/flightmodel/position/groundspeed");
        recording = SharedData.share(RECORDING, XPlaneDataRef.TYPE_INT, this::recordingChanged);
        recordingState = recording.dataRef();
        sampler = FlightLoop.create(FlightLoop.Phase.AFTER_FLIGHT_MODEL, (sinceCall, sinceLoop, counter) -> sample());
    }

    @Override
    public void enable() {
        csv = open(outputFile());
        csv.println("time_s,latitude,longitude,elevation_m,groundspeed_mps");
        recordingState.setInt(1);
        sampler.schedule(INTERVAL, true);
        Simulator.speak("Flight recorder on");
    }

    @Override
    public void disable() {
        sampler.unschedule();
        recordingState.setInt(0);
        csv.close();
    }

    @Override
    public void stop() {
        sampler.close();
        recording.close();
        errorLog.close();
    }

    /** The CSV file: Output/flight-recorder.csv in the simulator's folder. */
    static Path outputFile() {
        String separator = Folders.separator();
        return Path.of(Folders.systemPath() + "Output" + separator + FILE);
    }

    /** Another plugin wrote the recording state: pause or resume. */
    private void recordingChanged() {
        if (recordingState.getInt() != 0) {
            sampler.schedule(INTERVAL, true);
        } else {
            sampler.unschedule();
        }
    }

    private float sample() {
        csv.printf("%.2f,%.6f,%.6f,%.1f,%.1f%n", FlightLoop.elapsedTime(), latitude.getDouble(),
                longitude.getDouble(), elevation.getDouble(), groundSpeed.getFloat());
        rows++;
        return INTERVAL;
    }

    private static PrintWriter open(Path file) {
        try {
            Files.createDirectories(file.getParent());
            return new PrintWriter(Files.newBufferedWriter(file, StandardCharsets.UTF_8), true);
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        }
    }

    /** Rows written since the plugin was enabled. */
    public int rows() {
        return rows;
    }
}
