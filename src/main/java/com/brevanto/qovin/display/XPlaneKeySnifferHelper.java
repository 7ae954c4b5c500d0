package com.brevanto.qovin.display;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registrations;
import java.util.HashMap;
import java.util.Map;

/**
 * A Java object that sees every key press, before or after the simulator's
 * windows get it, and may swallow it. Subclass it, implement
 * {@link #keySnifferFunc(char, int, char)} and {@link #register(boolean)} it.
 */
public abstract class XPlaneKeySnifferHelper {
    static {
        initialize();
    }

    private final Map<Long, Boolean> registrations = new HashMap<>();

    /**
     * Called for each key press.
     *
     * @param key the simulator's 8-bit key code, as a char from U+0000 to U+00FF
     * @param flags the simulator's key flags (shift, option/alt, control, down, up)
     * @param virtualKey the virtual key code, as a char from U+0000 to U+00FF
     * @return true to swallow the key, false to let it go on to the next sniffer,
     *     the windows and the simulator. A sniffer that throws lets the key go on
     *     (its exception is printed).
     */
    public abstract boolean keySnifferFunc(char key, int flags, char virtualKey);

    /**
     * Registers this object, before the windows get keys or only for keys they
     * did not take. Returns the handler reference, or -1 if the simulator refused.
     *
     * @param beforeWindows true to see keys before the windows, false only those they did not take
     * @return the handler reference, or -1
     */
    public synchronized long register(boolean beforeWindows) {
        HostThread.check();
        long handlerRef = registerN(beforeWindows);
        if (handlerRef != -1) {
            registrations.put(handlerRef, beforeWindows);
            Registrations.add(handlerRef, () -> unregister(handlerRef));
        }
        return handlerRef;
    }

    /**
     * Ends the registration {@code handlerRef}. Returns the simulator's answer
     * (1 when it is gone), or 0 for a reference that is not a registration of
     * this object.
     *
     * @param handlerRef a reference {@link #register(boolean)} returned
     * @return 1 when the registration is gone, else 0
     */
    public synchronized int unregister(long handlerRef) {
        HostThread.check();
        Boolean before = registrations.get(handlerRef);
        if (before == null) {
            return 0;
        }
        int result = unregisterN(before, handlerRef);
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

    private native long registerN(boolean beforeWindows);

    private native int unregisterN(boolean before, long refCon);
}
