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
import java.io.UncheckedIOException;
import java.nio.ByteBuffer;
import java.nio.channels.FileChannel;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.StandardOpenOption;
import java.util.logging.Logger;

/**
 * Records the flight into {@value #FILE} in the simulator's Output folder: a
 * row every half second (time, latitude, longitude, elevation, ground speed),
 * written by a flight loop of its own after the flight model. The recording
 * state is data shared with other plugins under {@value #RECORDING}: 1 while
 * recording; another plugin writes 0 to pause the recording and 1 to resume it.
 * A row is formatted by hand and written through a byte buffer kept for the
 * next one, so recording makes no garbage.
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
    private FileChannel csv;
    private final StringBuilder row = new StringBuilder(80);
    private final ByteBuffer rowBytes = ByteBuffer.allocateDirect(256);
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
        row.setLength(0);
        write(row.append("time_s,latitude,longitude,elevation_m,groundspeed_mps\n"));
        recordingState.setInt(1);
        sampler.schedule(INTERVAL, true);
        Simulator.speak("Flight recorder on");
    }

    @Override
    public void disable() {
        sampler.unschedule();
        recordingState.setInt(0);
        try {
            csv.close();
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        }
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
        row.setLength(0);
        fixed(row, FlightLoop.elapsedTime(), 2).append(',');
        fixed(row, latitude.getDouble(), 6).append(',');
        fixed(row, longitude.getDouble(), 6).append(',');
        fixed(row, elevation.getDouble(), 1).append(',');
        fixed(row, groundSpeed.getFloat(), 1).append('\n');
        write(row);
        rows++;
        return INTERVAL;
    }

    /** Writes {@code text} (ASCII, at most 256 characters) to the file. */
    private void write(StringBuilder text) {
        rowBytes.clear();
        for (int i = 0; i < text.length(); i++) {
            rowBytes.put((byte) text.charAt(i));
        }
        rowBytes.flip();
        try {
            while (rowBytes.hasRemaining()) {
                csv.write(rowBytes);
            }
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        }
    }

    /**
     * Appends {@code value} (finite, below 10^9 in size) rounded half up to
     * {@code decimals} places (0 to 9), as "%.Nf" does but for a tie the
     * double cannot hold exactly (99.995 is 99.99499...), which may round down.
     */
    static StringBuilder fixed(StringBuilder text, double value, int decimals) {
        long scale = 1;
        for (int i = 0; i < decimals; i++) {
            scale *= 10;
        }
        long scaled = Math.round(Math.abs(value) * scale);
        if (value < 0 || 1 / value < 0) {
            text.append('-');
        }
        text.append(scaled / scale);
        if (decimals > 0) {
            text.append('.');
            long fraction = scaled % scale;
            for (long digit = scale / 10; digit > 0; digit /= 10) {
                text.append((char) ('0' + fraction / digit % 10));
            }
        }
        return text;
    }

    private static FileChannel open(Path file) {
        try {
            Files.createDirectories(file.getParent());
            return FileChannel.open(file, StandardOpenOption.CREATE, StandardOpenOption.WRITE,
                    StandardOpenOption.TRUNCATE_EXISTING);
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        }
    }

    /** Rows written since the plugin was enabled. */
    public int rows() {
        return rows;
    }
}
