package com.brevanto.qovin.display;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registrations;
import java.util.ArrayList;
import java.util.List;

/**
 * A key combination that runs an action, registered with
 * {@link #register(int, int, String, Runnable)}. The user (or another plugin)
 * may bind it to another combination; the description tells them what it does.
 * {@link #close()} unregisters it, and the host unregisters it when the plugin
 * stops. An action that throws has its exception printed; the simulator goes on.
 *
 * <p>In the simulator a hot key fires when its key goes down with its
 * modifiers and no window has keyboard focus; key sniffers before the windows
 * see the key first.
 */
public final class HotKey implements AutoCloseable {
    static {
        initialize();
    }

    private final Runnable action;
    private long id;

    /**
     * What the simulator tells about one hot key.
     *
     * @param id the hot key's ID
     * @param virtualKey its virtual key code, 0 to 255
     * @param flags its modifier flags ({@link XPlaneWindowHelper#SHIFT_FLAG} and the others)
     * @param description what it does
     * @param plugin the plugin that registered it, or -1 for an ID the simulator does not list
     */
    public record Info(long id, int virtualKey, int flags, String description, int plugin) {
    }

    private HotKey(Runnable action) {
        this.action = action;
    }

    /**
     * Registers a hot key on {@code virtualKey} with the modifier {@code flags}
     * that runs {@code action}. The answer is open unless the simulator refused
     * it ({@link #isOpen()} false).
     *
     * @param virtualKey the virtual key code (its low 8 bits)
     * @param flags shift, option/alt and control flags ({@link XPlaneWindowHelper#SHIFT_FLAG} ...)
     * @param description what it does, for the user's key settings
     * @param action what a press runs
     * @return the hot key
     */
    public static HotKey register(int virtualKey, int flags, String description, Runnable action) {
        HostThread.check();
        HotKey hotKey = new HotKey(action);
        hotKey.id = hotKey.registerN(virtualKey & 0xFF, flags, description);
        if (hotKey.id != 0) {
            Registrations.add(hotKey, hotKey::close);
        }
        return hotKey;
    }

    /**
     * Whether it is registered.
     *
     * @return true until closed (false if refused)
     */
    public synchronized boolean isOpen() {
        return id != 0;
    }

    /**
     * The simulator's ID of the hot key, 0 once closed.
     *
     * @return the ID
     */
    public synchronized long id() {
        return id;
    }

    /**
     * Binds this hot key to another combination.
     *
     * @param virtualKey the virtual key code (its low 8 bits)
     * @param flags the modifier flags
     * @return false if it is closed
     */
    public synchronized boolean setCombination(int virtualKey, int flags) {
        HostThread.check();
        return id != 0 && setCombinationN(id, virtualKey & 0xFF, flags);
    }

    /**
     * Its current combination, description and owner.
     *
     * @return what the simulator tells (the empty answer once closed)
     */
    public synchronized Info info() {
        return info(id);
    }

    /** Unregisters the hot key; later calls do nothing. */
    @Override
    public synchronized void close() {
        HostThread.check();
        if (id == 0) {
            return;
        }
        unregisterN(id);
        id = 0;
        Registrations.remove(this);
    }

    /**
     * What the simulator tells about the hot key {@code id}, of any plugin. An
     * ID it does not list gets the empty answer: key 0, flags 0, "", plugin -1.
     *
     * @param id a hot key's ID
     * @return its information
     */
    public static Info info(long id) {
        HostThread.check();
        int[] values = new int[3];
        String description = infoN(id, values);
        return new Info(id, values[0], values[1], description == null ? "" : description, values[2]);
    }

    /**
     * Every hot key of every plugin, in the simulator's order.
     *
     * @return a new list
     */
    public static List<Info> all() {
        HostThread.check();
        int count = countN();
        List<Info> all = new ArrayList<>(Math.max(count, 0));
        for (int i = 0; i < count; i++) {
            long nth = nthN(i);
            if (nth != 0) {
                all.add(info(nth));
            }
        }
        return all;
    }

    /**
     * Binds any plugin's hot key to another combination.
     *
     * @param id the hot key's ID
     * @param virtualKey the virtual key code (its low 8 bits)
     * @param flags the modifier flags
     * @return false if the simulator does not list {@code id}
     */
    public static boolean setCombination(long id, int virtualKey, int flags) {
        HostThread.check();
        return setCombinationN(id, virtualKey & 0xFF, flags);
    }

    // Called by the simulator, through the bridge, when the combination is pressed.
    private void fire() {
        if (action != null) {
            action.run();
        }
    }

    private static native void initialize();

    private native long registerN(int virtualKey, int flags, String description);

    private static native boolean unregisterN(long id);

    private static native int countN();

    private static native long nthN(int index);

    private static native String infoN(long id, int[] out);

    private static native boolean setCombinationN(long id, int virtualKey, int flags);
}
