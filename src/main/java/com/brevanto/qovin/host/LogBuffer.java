package com.brevanto.qovin.host;

import java.util.ArrayList;
import java.util.List;
import java.util.logging.Handler;
import java.util.logging.Level;
import java.util.logging.LogManager;
import java.util.logging.LogRecord;
import java.util.logging.Logger;

/**
 * Keeps every Java log record at or above a level, from every logger, as
 * "LEVEL logger: message" lines, for a host to print when it likes.
 */
public final class LogBuffer extends Handler {
    private static final LogBuffer INSTANCE = new LogBuffer();
    private static final Logger ROOT = Logger.getLogger("");
    private final List<String> lines = new ArrayList<>();

    private LogBuffer() {
    }

    /** Routes all logging at {@code level} (a java.util.logging level name) or above here. */
    public static synchronized void capture(String level) {
        Level threshold = Level.parse(level);
        LogManager.getLogManager().reset();
        ROOT.setLevel(threshold);
        INSTANCE.setLevel(threshold);
        ROOT.addHandler(INSTANCE);
    }

    /** The lines kept since the last call, which are then forgotten. */
    public static synchronized String[] drain() {
        String[] out = INSTANCE.lines.toArray(new String[0]);
        INSTANCE.lines.clear();
        return out;
    }

    @Override
    public synchronized void publish(LogRecord record) {
        if (!isLoggable(record)) {
            return;
        }
        String text = record.getMessage();
        if (record.getThrown() != null) {
            text = text + " (" + record.getThrown() + ")";
        }
        lines.add(record.getLevel().getName() + " " + record.getLoggerName() + ": " + text);
    }

    @Override
    public void flush() {
    }

    @Override
    public void close() {
    }
}
