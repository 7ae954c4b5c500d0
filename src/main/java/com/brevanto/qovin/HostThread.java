package com.brevanto.qovin;

/**
 * The simulator's main thread: the one that loaded the bridge. Every method of
 * the API that reaches the simulator checks that it runs there, and throws
 * {@link IllegalStateException} anywhere else (a worker thread, a timer, a
 * finalizer), before anything reaches the simulator.
 */
public final class HostThread {
    private static Thread host;

    private HostThread() {
    }

    /** Binds the API to the calling thread. */
    static void bind() {
        host = Thread.currentThread();
    }

    /**
     * Whether the calling thread is the simulator's main thread.
     *
     * @return true on the simulator's main thread
     */
    public static boolean isCurrent() {
        return Thread.currentThread() == host;
    }

    /** Throws {@link IllegalStateException} unless called on the simulator's main thread. */
    public static void check() {
        if (Thread.currentThread() != host) {
            throw new IllegalStateException(host == null
                    ? "qovin is not loaded yet: XPlanePluginHelper.load runs first, on the simulator's main thread"
                    : "qovin may only be used on the simulator's main thread (\"" + host.getName()
                            + "\"), not on \"" + Thread.currentThread().getName() + "\"");
        }
    }
}
