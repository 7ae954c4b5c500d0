package com.brevanto.qovin.data;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registrations;
/**
 * A dataref that Java publishes: every read by the simulator or another
 * plugin calls the read accessor, every write the write accessor.
 *
 * <pre>
 * JavaBackedDataRef speed = new JavaBackedDataRef("myplugin/speed", TYPE_FLOAT, false,
 *         new DataReadAccessor() { public float readFloat() { return currentSpeed; } }, null);
 * ...
 * speed.unregister();
 * </pre>
 */
public class JavaBackedDataRef extends XPlaneDataRef {
    /** Native references to the accessors, owned by this object until {@link #unregister()}. */
    private long readRef;
    private long writeRef;
    private boolean registered;

    /**
     * Publishes {@code name} with the {@code TYPE_*} bits of {@code type}.
     * {@link #isValid()} is false if the simulator refused the name.
     *
     * @param name the dataref's name, e.g. "myplugin/speed"
     * @param type the {@code TYPE_*} bits it offers, OR-ed together
     * @param writable whether the simulator and other plugins may write it
     * @param readAccessor what answers reads, or null (reads answer 0)
     * @param writeAccessor what receives writes, or null (writes are dropped)
     */
    public JavaBackedDataRef(String name, int type, boolean writable, DataReadAccessor readAccessor,
            DataWriteAccessor writeAccessor) {
        super(0L);
        HostThread.check();
        synchronized (XPlaneDataRef.class) {
            acquireShared();
            this.dataRefPtr = registerDataAccessor(name, type, writable, readAccessor, writeAccessor);
            this.registered = dataRefPtr != 0;
            if (!registered) {
                releaseShared();
            } else {
                Registrations.add(this, this::unregister);
            }
        }
    }

    /** Withdraws the dataref; later calls do nothing. */
    public void unregister() {
        HostThread.check();
        synchronized (XPlaneDataRef.class) {
            if (!registered) {
                return;
            }
            unregisterDataAccessor(dataRefPtr, readRef, writeRef);
            readRef = 0;
            writeRef = 0;
            registered = false;
            releaseShared();
            Registrations.remove(this);
        }
    }
}
