package com.brevanto.qovin.util;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registration;
import com.brevanto.qovin.Registrations;
import java.util.HashMap;
import java.util.Map;
import java.util.Objects;
import java.util.logging.Logger;

/**
 * The simulator's reports of API misuse (a bad handle, a bad record), logged
 * through the logger of the plugin that made the mistake. Each plugin chooses
 * its logger with {@link #logTo(Logger)}; a report that arrives while a plugin
 * without one is running is dropped. The simulator may also turn on slower
 * checks while reports are wanted: use it while developing.
 */
public final class SimulatorErrors {
    private static final Object NO_PLUGIN = new Object();
    private static final Map<Object, Logger> LOGGERS = new HashMap<>();
    private static final Receiver RECEIVER = new Receiver();

    static {
        initialize();
    }

    private SimulatorErrors() {
    }

    /**
     * Logs the simulator's reports of the calling plugin's mistakes through
     * {@code logger}, at WARNING, until the registration is closed (or the
     * plugin stops). A second call replaces the logger.
     *
     * @param logger the plugin's logger
     * @return the registration; {@code close()} stops the logging
     */
    public static Registration logTo(Logger logger) {
        HostThread.check();
        Objects.requireNonNull(logger, "logger");
        ClassLoader owner = Registrations.callingOwner();
        Object key = owner == null ? NO_PLUGIN : owner;
        synchronized (LOGGERS) {
            if (LOGGERS.isEmpty()) {
                installN(RECEIVER);
            }
            LOGGERS.put(key, logger);
        }
        Runnable stop = () -> stop(key, logger);
        Registrations.add(key, stop);
        return new Registration(stop);
    }

    private static void stop(Object key, Logger logger) {
        HostThread.check();
        synchronized (LOGGERS) {
            if (!LOGGERS.remove(key, logger)) {
                return;
            }
            if (LOGGERS.isEmpty()) {
                removeN();
            }
        }
        Registrations.remove(key);
    }

    /** What the simulator's error callback calls. */
    private static final class Receiver {
        /** Logs {@code message} through the logger of the plugin whose code is running. */
        void report(String message) {
            ClassLoader owner = Registrations.callingOwner();
            Logger logger;
            synchronized (LOGGERS) {
                logger = LOGGERS.get(owner == null ? NO_PLUGIN : owner);
            }
            if (logger != null) {
                logger.warning("simulator error: " + message);
            }
        }
    }

    private static native void initialize();

    static native boolean installN(Object receiver);

    static native boolean removeN();
}
