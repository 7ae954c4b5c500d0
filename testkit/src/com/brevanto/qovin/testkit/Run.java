package com.brevanto.qovin.testkit;

import com.brevanto.qovin.XPlanePlugin;
import com.sun.management.ThreadMXBean;
import java.lang.management.ManagementFactory;
import java.util.function.Consumer;
import org.opentest4j.AssertionFailedError;

/**
 * One plugin running in the {@link Sim}, started and enabled: run frames and
 * the test's own steps, then {@link #stop()} it, which fails the test if the
 * plugin left anything registered.
 */
public final class Run<P extends XPlanePlugin> {
    /** Rounds of {@link #allocatedBytesPerFrame}: one-time allocations miss at least two of them. */
    private static final int ROUNDS = 3;

    private final Sim sim;
    private final P plugin;
    private boolean running = true;

    Run(Sim sim, P plugin) {
        this.sim = sim;
        this.plugin = plugin;
    }

    /** The plugin itself. */
    public P plugin() {
        return plugin;
    }

    /** Whether the plugin is still running (not yet stopped). */
    public boolean isRunning() {
        return running;
    }

    /** Runs {@code count} frames of {@code seconds} each ({@link Sim#frames}). */
    public Run<P> frames(int count, double seconds) {
        sim.frames(count, seconds);
        return this;
    }

    /**
     * The bytes the plugin allocates on the Java heap per frame, on the
     * simulator's main thread, in steady state. It runs {@code warmupFrames}
     * frames, then three rounds of {@code frames} frames of {@code seconds}
     * each, counting what the thread allocates in each round
     * ({@code ThreadMXBean.getCurrentThreadAllocatedBytes}), and answers the
     * least round divided by {@code frames}. What happens once (a class
     * loading, a compilation, a buffer growing to its size) falls in one round;
     * an allocation made every frame, or every few frames, shows in all three.
     * The kit and the stand-in allocate nothing on the Java heap while frames
     * run, so 0 means the plugin's frame code (flight loops, drawing, window
     * and camera callbacks) makes no garbage.
     *
     * @param warmupFrames frames run first and not counted
     * @param frames frames in each counted round, 1 or more
     * @param seconds the length of each frame
     * @return bytes per frame: 0 for frame code that allocates nothing
     */
    public double allocatedBytesPerFrame(int warmupFrames, int frames, double seconds) {
        if (warmupFrames < 0 || frames < 1) {
            throw new IllegalArgumentException("allocatedBytesPerFrame(" + warmupFrames + ", " + frames + ", " + seconds
                    + "): warm-up frames of 0 or more and 1 frame or more per round");
        }
        ThreadMXBean threads = (ThreadMXBean) ManagementFactory.getThreadMXBean();
        if (!threads.isThreadAllocatedMemorySupported()) {
            throw new UnsupportedOperationException("this JVM does not count the bytes a thread allocates");
        }
        if (!threads.isThreadAllocatedMemoryEnabled()) {
            threads.setThreadAllocatedMemoryEnabled(true);
        }
        sim.frames(warmupFrames, seconds);
        long least = Long.MAX_VALUE;
        for (int round = 0; round < ROUNDS; round++) {
            long before = threads.getCurrentThreadAllocatedBytes();
            sim.frames(frames, seconds);
            long allocated = threads.getCurrentThreadAllocatedBytes() - before;
            least = Math.min(least, allocated);
        }
        return (double) least / frames;
    }

    /**
     * Runs {@code frames} frames and answers how many garbage collections the
     * JVM ran meanwhile ({@link Sim#garbageCollections()}): 0 over a long run
     * (100,000 frames, say) shows that the plugin's frames never need one.
     *
     * @param frames frames to run, 0 or more
     * @param seconds the length of each frame
     * @return the collections during those frames
     */
    public long garbageCollectionsOver(int frames, double seconds) {
        long before = sim.garbageCollections();
        sim.frames(frames, seconds);
        return sim.garbageCollections() - before;
    }

    /** A step of the test's own, on the world, while the plugin runs. */
    public Run<P> then(Consumer<Sim> step) {
        step.accept(sim);
        return this;
    }

    /**
     * Disables and stops the plugin (stop even if disable threw: the test
     * then fails with the first exception), then fails the test if it still holds
     * anything in the simulator (flight loops, windows, menus, handlers,
     * published datarefs...).
     */
    public Sim stop() {
        if (!running) {
            throw new IllegalStateException(plugin.getClass().getName() + " is already stopped");
        }
        running = false;
        sim.ended(this);
        AssertionFailedError failure = null;
        for (String step : new String[] {"disable", "stop"}) {
            try {
                sim.lifecycle(plugin, step, step.equals("disable") ? plugin::disable : plugin::stop);
            } catch (AssertionFailedError e) {
                if (failure == null) {
                    failure = e;
                } else {
                    failure.addSuppressed(e);
                }
            }
        }
        if (failure != null) {
            throw failure;
        }
        String held = sim.registrationsHeld();
        if (!held.isEmpty()) {
            throw new AssertionFailedError(plugin.getClass().getName() + " left registered after stop: " + held);
        }
        return sim;
    }
}
