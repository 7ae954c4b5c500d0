package com.brevanto.qovin.data;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registrations;
import java.util.Objects;

/**
 * Data shared with other plugins under a name: whichever plugin shares it
 * first creates it (zero, writable), and every plugin reads and writes it as
 * a dataref ({@link #dataRef()}). When another plugin writes it, the
 * notification given to {@link #share(String, int, Runnable)} runs; your own
 * writes do not notify you. {@link #close()} stops the notifications; the data
 * and its value stay. The plugin's stop closes what is still open.
 */
public final class SharedData implements AutoCloseable {
    static {
        initialize();
    }

    private final String name;
    private final int type;
    private long share;
    private boolean open = true;

    private SharedData(String name, int type, long share) {
        this.name = name;
        this.type = type;
        this.share = share;
    }

    /**
     * Shares the data {@code name} of {@code type}, creating it if no plugin
     * has yet.
     *
     * @param name the data's name, e.g. "mycompany/recorder/recording"
     * @param type one of {@link XPlaneDataRef#TYPE_INT}, {@code TYPE_FLOAT}, {@code TYPE_DOUBLE},
     *     {@code TYPE_FLOAT_ARRAY}, {@code TYPE_INT_ARRAY} or {@code TYPE_DATA}
     * @param onChange run when another plugin writes the data; null for no notification
     * @return the share
     * @throws IllegalArgumentException if the name is taken by other data, or data of another type
     */
    public static SharedData share(String name, int type, Runnable onChange) {
        HostThread.check();
        Objects.requireNonNull(name, "name");
        long share = onChange == null ? (joinN(name, type) ? -1 : 0) : shareN(name, type, onChange);
        if (share == 0) {
            throw new IllegalArgumentException("cannot share " + name + " as type " + type
                    + ": the name is taken by other data or data of another type");
        }
        SharedData shared = new SharedData(name, type, share == -1 ? 0 : share);
        if (shared.share != 0) {
            Registrations.add(shared, shared::close);
        }
        return shared;
    }

    /**
     * The data's name.
     *
     * @return the name it was shared under
     */
    public String name() {
        return name;
    }

    /**
     * The data's type.
     *
     * @return the type it was shared with
     */
    public int type() {
        return type;
    }

    /**
     * The data as a dataref, to read and write it.
     *
     * @return the dataref of the data
     */
    public XPlaneDataRef dataRef() {
        return XPlaneDataRef.find(name);
    }

    /**
     * Whether the share has not been closed.
     *
     * @return true until {@link #close()}
     */
    public boolean isOpen() {
        return open;
    }

    /** Stops the notifications and lets go of them; the data stays. A second close does nothing. */
    @Override
    public void close() {
        HostThread.check();
        open = false;
        long closing = share;
        if (closing == 0) {
            return;
        }
        share = 0;
        unshareN(closing);
        Registrations.remove(this);
    }

    private static native void initialize();

    static native boolean joinN(String name, int type);

    static native long shareN(String name, int type, Runnable onChange);

    static native boolean unshareN(long share);
}
