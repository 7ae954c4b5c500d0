package com.brevanto.qovin.util;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registration;
import com.brevanto.qovin.Registrations;
import java.util.HashMap;
import java.util.Map;
import java.util.function.IntPredicate;

/**
 * A simulator command: found by name or created, executed, and handled.
 *
 * <p>To handle a command, subclass this class, override
 * {@link #beforehandlerCallback(int)} (runs before the simulator's own
 * handling) and/or {@link #afterhandlerCallback(int)} (after it), and
 * {@link #registerHandler(boolean)}. A handler returning false stops the
 * command: neither the simulator nor later handlers see that phase. A handler
 * that throws has its exception printed and lets the command go on.
 */
public class XPlaneCommandRef {
    /** Command phases passed to the handlers. */
    public static final int PHASE_BEGIN = 0;
    /** The command is held (each flight loop between begin and end). */
    public static final int PHASE_CONTINUE = 1;
    /** The command ends. */
    public static final int PHASE_END = 2;

    static {
        initialize();
    }

    /** The simulator's handle, 0 if none. */
    protected final long commandRef;
    private final Map<Long, Boolean> registrations = new HashMap<>();

    /**
     * The command {@code name}; {@link #isValid()} tells whether the simulator knows it.
     *
     * @param name the command's name, e.g. "sim/operation/pause_toggle"
     */
    public XPlaneCommandRef(String name) {
        HostThread.check();
        this.commandRef = findCommandRef(name);
    }

    /**
     * Creates the command {@code name} (or takes the existing one of that name).
     *
     * @param name the command's name, e.g. "myplugin/report"
     * @param description what it does, as the simulator's keyboard settings show it
     */
    public XPlaneCommandRef(String name, String description) {
        HostThread.check();
        this.commandRef = createCommandRef(name, description);
    }

    /** The same command as {@code command}, for a handler of its own. */
    private XPlaneCommandRef(XPlaneCommandRef command) {
        this.commandRef = command.commandRef;
    }

    /**
     * Whether the simulator knows the command.
     *
     * @return true if it has a handle
     */
    public boolean isValid() {
        return commandRef != 0;
    }

    /**
     * The simulator's handle.
     *
     * @return the handle, 0 if none
     */
    public long getHandle() {
        return commandRef;
    }

    /** Starts the command; it stays held until {@link #end()}. */
    public void begin() {
        HostThread.check();
        beginN(commandRef);
    }

    /** Ends the command started by {@link #begin()}. */
    public void end() {
        HostThread.check();
        endN(commandRef);
    }

    /** Begins and ends the command at once. */
    public void once() {
        HostThread.check();
        onceN(commandRef);
    }

    /**
     * Makes this object a handler of its command, before or after the
     * simulator's own handling. Each call is a registration of its own; the
     * returned handler reference ends it.
     *
     * @param before true to run before the simulator's own handling, false after it
     * @return the handler reference
     */
    public synchronized long registerHandler(boolean before) {
        HostThread.check();
        long handlerRef = registerHandlerN(commandRef, before);
        registrations.put(handlerRef, before);
        Registrations.add(handlerRef, () -> unregisterHandler(handlerRef));
        return handlerRef;
    }

    /**
     * Makes this object a handler like {@link #registerHandler(boolean)}, as a {@link Registration}
     * whose {@code close()} ends it.
     *
     * @param before true to run before the simulator's own handling, false after it
     * @return the registration
     */
    public Registration handle(boolean before) {
        long handlerRef = registerHandler(before);
        return new Registration(() -> unregisterHandler(handlerRef));
    }

    /**
     * Makes {@code handler} a handler of this command, before or after the simulator's own handling:
     * {@code command.handle(true, phase -> { ...; return true; })}. It gets the phase
     * ({@link #PHASE_BEGIN}, {@link #PHASE_CONTINUE} or {@link #PHASE_END}); false stops the command.
     *
     * @param before true to run before the simulator's own handling, false after it
     * @param handler what handles each phase
     * @return the registration; {@code close()} ends it and lets go of {@code handler}
     */
    public Registration handle(boolean before, IntPredicate handler) {
        HostThread.check();
        return new PredicateHandler(this, handler).handle(before);
    }

    /** An {@link IntPredicate} as a handler of a command, before and after alike. */
    private static final class PredicateHandler extends XPlaneCommandRef {
        private final IntPredicate handler;

        PredicateHandler(XPlaneCommandRef command, IntPredicate handler) {
            super(command);
            this.handler = handler;
        }

        @Override
        public boolean beforehandlerCallback(int phase) {
            return handler.test(phase);
        }

        @Override
        public boolean afterhandlerCallback(int phase) {
            return handler.test(phase);
        }
    }

    /**
     * Ends the registration {@code handlerRef} of this object. Returns false,
     * and does nothing, for a reference that is not a current registration of
     * this object.
     *
     * @param handlerRef a reference {@link #registerHandler(boolean)} returned
     * @return true if the registration ended
     */
    public synchronized boolean unregisterHandler(long handlerRef) {
        HostThread.check();
        Boolean before = registrations.remove(handlerRef);
        if (before == null) {
            return false;
        }
        unregisterHandlerN(commandRef, handlerRef, before);
        Registrations.remove(handlerRef);
        return true;
    }

    /** Ends every registration of this object. */
    public synchronized void unregisterAllHandlers() {
        HostThread.check();
        for (Map.Entry<Long, Boolean> registration : registrations.entrySet()) {
            unregisterHandlerN(commandRef, registration.getKey(), registration.getValue());
            Registrations.remove(registration.getKey());
        }
        registrations.clear();
    }

    /**
     * Called at each phase before the simulator handles the command; false stops it.
     *
     * @param phase {@link #PHASE_BEGIN}, {@link #PHASE_CONTINUE} or {@link #PHASE_END}
     * @return true to let the command go on
     */
    public boolean beforehandlerCallback(int phase) {
        return true;
    }

    /**
     * Called at each phase after the simulator has handled the command; false stops later handlers.
     *
     * @param phase {@link #PHASE_BEGIN}, {@link #PHASE_CONTINUE} or {@link #PHASE_END}
     * @return true to let later handlers see the phase
     */
    public boolean afterhandlerCallback(int phase) {
        return true;
    }

    private static native void initialize();

    private native long findCommandRef(String name);

    private native long createCommandRef(String name, String desc);

    private native long registerHandlerN(long ref, boolean before);

    private native void unregisterHandlerN(long cmdRef, long handlerRef, boolean before);

    private native void beginN(long ref);

    private native void endN(long ref);

    private native void onceN(long ref);
}
