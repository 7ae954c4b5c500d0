package com.brevanto.qovin.testkit;

import com.brevanto.qovin.XPlanePlugin;
import java.util.function.Consumer;
import org.opentest4j.AssertionFailedError;

/**
 * One plugin running in the {@link Sim}, started and enabled: run frames and
 * the test's own steps, then {@link #stop()} it, which fails the test if the
 * plugin left anything registered.
 */
public final class Run<P extends XPlanePlugin> {
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
