package com.brevanto.qovin.testing;

import java.util.logging.Handler;
import java.util.logging.LogRecord;
import java.util.logging.Logger;

/** Loggers for the tests, made in Java (Logger.getLogger needs a Java caller). */
public final class Loggers {
    private Loggers() {
    }

    /** The logger whose records javaLog() returns. */
    public static Logger qovinNative() {
        LogRecorder.clear();
        return Logger.getLogger("QOVINNative");
    }

    /** A logger whose handler throws on every record. */
    public static Logger throwing() {
        Logger logger = Logger.getLogger("qovin.test.throwing");
        logger.setUseParentHandlers(false);
        logger.addHandler(new Handler() {
            @Override
            public void publish(LogRecord record) {
                throw new IllegalStateException("throwing logger fails");
            }

            @Override
            public void flush() {
            }

            @Override
            public void close() {
            }
        });
        return logger;
    }
}
