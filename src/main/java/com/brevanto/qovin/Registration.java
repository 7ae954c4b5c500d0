package com.brevanto.qovin;

/**
 * One registration with the simulator (a flight loop, a command handler, a
 * draw callback) that {@link #close()} ends, so that try-with-resources, or a
 * field closed in {@code stop()}, ends it. Closing lets go of the registered
 * object; a second close does nothing.
 */
public final class Registration implements AutoCloseable {
    private Runnable release;

    /**
     * A registration that {@code release} ends.
     *
     * @param release what ends it, run by the first {@link #close()}; null for one already ended
     */
    public Registration(Runnable release) {
        this.release = release;
    }

    /**
     * Whether it has not been closed (nor refused).
     *
     * @return true until the first {@link #close()}
     */
    public boolean isOpen() {
        return release != null;
    }

    /** Ends the registration; later calls do nothing. */
    @Override
    public void close() {
        HostThread.check();
        Runnable ending = release;
        if (ending == null) {
            return;
        }
        release = null;
        ending.run();
    }
}
