package com.brevanto.qovin.display;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registration;
import com.brevanto.qovin.Registrations;
import java.util.HashMap;
import java.util.Map;

/**
 * A Java object that draws in one of the simulator's drawing phases, before or
 * after the simulator draws that phase. Subclass it, implement
 * {@link #callback(int, boolean)} and {@link #register(int, boolean)} it.
 */
public abstract class XPlaneDrawCallbackHelper {
    static {
        initialize();
    }

    // Drawing phases: 3-D scene, then cockpit 2-D.
    /** The start of the 3-D scene. */
    public static final int PHASE_FIRST_SCENE = 0;
    /** The terrain. */
    public static final int PHASE_TERRAIN = 5;
    /** The airports. */
    public static final int PHASE_AIRPORTS = 10;
    /** Roads, trails and other vectors. */
    public static final int PHASE_VECTORS = 15;
    /** Scenery objects: the phase to draw objects in. */
    public static final int PHASE_OBJECTS = 20;
    /** The aircraft. */
    public static final int PHASE_AIRPLANES = 25;
    /** The end of the 3-D scene. */
    public static final int PHASE_LAST_SCENE = 30;
    /** The start of the 2-D cockpit. */
    public static final int PHASE_FIRST_COCKPIT = 35;
    /** The panel. */
    public static final int PHASE_PANEL = 40;
    /** The gauges. */
    public static final int PHASE_GAUGES = 45;
    /** The windows. */
    public static final int PHASE_WINDOW = 50;
    /** The end of the 2-D cockpit: drawn over everything. */
    public static final int PHASE_LAST_COCKPIT = 55;

    private static final class Phase {
        final int phase;
        final boolean before;

        Phase(int phase, boolean before) {
            this.phase = phase;
            this.before = before;
        }
    }

    private final Map<Long, Phase> registrations = new HashMap<>();

    /**
     * Called in the phase this object registered for.
     *
     * @param phase the drawing phase
     * @param before true before the simulator draws the phase, false after
     * @return for a before-callback, 1 to let the simulator draw the phase and
     *     0 to skip its drawing this frame; ignored after the phase. A callback
     *     that throws answers 0 (its exception is printed).
     */
    public abstract int callback(int phase, boolean before);

    /**
     * Registers this object for {@code phase}, before or after the simulator
     * draws it. Returns the handler reference, or 0 if the simulator refused
     * (a phase it does not have).
     *
     * @param phase one of the {@code PHASE_*} constants
     * @param before true to be called before the simulator draws the phase, false after
     * @return the handler reference, or 0
     */
    public synchronized long register(int phase, boolean before) {
        HostThread.check();
        long handlerRef = registerDrawCallback(phase, before);
        if (handlerRef != 0) {
            registrations.put(handlerRef, new Phase(phase, before));
            Registrations.add(handlerRef, () -> unregister(handlerRef));
        }
        return handlerRef;
    }

    /**
     * Registers this object like {@link #register(int, boolean)}, as a {@link Registration} whose
     * {@code close()} ends it. For a phase the simulator refuses, the registration is already closed
     * ({@link Registration#isOpen()} is false).
     *
     * @param phase one of the {@code PHASE_*} constants
     * @param before true to be called before the simulator draws the phase, false after
     * @return the registration
     */
    public Registration schedule(int phase, boolean before) {
        long handlerRef = register(phase, before);
        return new Registration(handlerRef == 0 ? null : () -> unregister(handlerRef));
    }

    /**
     * Registers {@code function} for {@code phase}, before or after the simulator draws it:
     * {@code XPlaneDrawCallbackHelper.schedule(PHASE_WINDOW, false, (phase, before) -> { ...; return 1; })}.
     *
     * @param phase one of the {@code PHASE_*} constants
     * @param before true to be called before the simulator draws the phase, false after
     * @param function what draws
     * @return the registration, already closed for a phase the simulator refuses; {@code close()} ends it
     *     and lets go of {@code function}
     */
    public static Registration schedule(int phase, boolean before, DrawFunction function) {
        return new FunctionDraw(function).schedule(phase, before);
    }

    /** A {@link DrawFunction} as a draw callback. */
    private static final class FunctionDraw extends XPlaneDrawCallbackHelper {
        private final DrawFunction function;

        FunctionDraw(DrawFunction function) {
            this.function = function;
        }

        @Override
        public int callback(int phase, boolean before) {
            return function.draw(phase, before);
        }
    }

    /**
     * Ends the registration {@code handlerRef}. Returns the simulator's answer
     * (1 when it is gone), or 0 for a reference that is not a registration of
     * this object.
     *
     * @param handlerRef a reference {@link #register(int, boolean)} returned
     * @return 1 when the registration is gone, else 0
     */
    public synchronized int unregister(long handlerRef) {
        HostThread.check();
        Phase registration = registrations.get(handlerRef);
        if (registration == null) {
            return 0;
        }
        int result = unregisterDrawCallback(handlerRef, registration.phase, registration.before);
        if (result == 1) {
            registrations.remove(handlerRef);
            Registrations.remove(handlerRef);
        }
        return result;
    }

    /**
     * Number of current registrations of this object.
     *
     * @return the number of registrations
     */
    public synchronized int registrationCount() {
        return registrations.size();
    }

    private static native void initialize();

    private native long registerDrawCallback(int phase, boolean before);

    private native int unregisterDrawCallback(long gref, int phase, boolean before);
}
