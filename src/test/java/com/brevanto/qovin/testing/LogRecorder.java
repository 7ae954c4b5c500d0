package com.brevanto.qovin.testing;

import java.util.ArrayList;
import java.util.List;
import java.util.logging.Handler;
import java.util.logging.Level;
import java.util.logging.LogRecord;
import java.util.logging.Logger;

/** Records what is logged to the "QOVINNative" logger, as "LEVEL|message". */
public final class LogRecorder extends Handler {
    private static final Logger LOGGER = Logger.getLogger("QOVINNative");
    private static final LogRecorder INSTANCE = new LogRecorder();
    private final List<String> records = new ArrayList<>();

    static {
        LOGGER.setLevel(Level.ALL);
        LOGGER.setUseParentHandlers(false);
        INSTANCE.setLevel(Level.ALL);
        LOGGER.addHandler(INSTANCE);
    }

    private LogRecorder() {
    }

    public static synchronized String[] records() {
        return INSTANCE.records.toArray(new String[0]);
    }

    public static synchronized void clear() {
        INSTANCE.records.clear();
    }

    @Override
    public synchronized void publish(LogRecord record) {
        records.add(record.getLevel().getName() + "|" + record.getMessage());
    }

    @Override
    public void flush() {
    }

    @Override
    public void close() {
    }
}
