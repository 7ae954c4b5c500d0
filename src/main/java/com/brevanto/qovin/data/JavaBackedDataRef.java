package com.brevanto.qovin.data;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registrations;
/**
 * A dataref that Java publishes: every read by the simulator or another
 * plugin calls the read accessor, every write the write accessor.
 *
 * <pre>
 * JavaBackedDataRef speed = JavaBackedDataRef.publishFloat("myplugin/speed", () -&gt; currentSpeed);
 * JavaBackedDataRef gain = JavaBackedDataRef.publishInt("myplugin/gain", () -&gt; gain, v -&gt; gain = v);
 * ...
 * speed.unregister();
 * </pre>
 *
 * <p>The {@code publish*} factories take one reader (and writer) of a single
 * type; the constructor takes accessors for any mix of types and arrays.
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

    /**
     * Publishes a read-only float dataref {@code name} whose reads call {@code reader}.
     *
     * @param name the dataref's name, e.g. "myplugin/speed"
     * @param reader what answers reads
     * @return the dataref; {@link #isValid()} is false if the simulator refused the name
     */
    public static JavaBackedDataRef publishFloat(String name, FloatReader reader) {
        return publishFloat(name, reader, null);
    }

    /**
     * Publishes a float dataref {@code name} whose reads call {@code reader} and whose writes, by the
     * simulator or other plugins, call {@code writer}.
     *
     * @param name the dataref's name
     * @param reader what answers reads
     * @param writer what receives writes; null publishes the dataref read-only
     * @return the dataref; {@link #isValid()} is false if the simulator refused the name
     */
    public static JavaBackedDataRef publishFloat(String name, FloatReader reader, FloatWriter writer) {
        FloatAccess access = new FloatAccess(reader, writer);
        return new JavaBackedDataRef(name, TYPE_FLOAT, writer != null, access, writer != null ? access : null);
    }

    /**
     * Publishes a read-only int dataref {@code name} whose reads call {@code reader}.
     *
     * @param name the dataref's name
     * @param reader what answers reads
     * @return the dataref; {@link #isValid()} is false if the simulator refused the name
     */
    public static JavaBackedDataRef publishInt(String name, IntReader reader) {
        return publishInt(name, reader, null);
    }

    /**
     * Publishes an int dataref {@code name} whose reads call {@code reader} and whose writes, by the
     * simulator or other plugins, call {@code writer}.
     *
     * @param name the dataref's name
     * @param reader what answers reads
     * @param writer what receives writes; null publishes the dataref read-only
     * @return the dataref; {@link #isValid()} is false if the simulator refused the name
     */
    public static JavaBackedDataRef publishInt(String name, IntReader reader, IntWriter writer) {
        IntAccess access = new IntAccess(reader, writer);
        return new JavaBackedDataRef(name, TYPE_INT, writer != null, access, writer != null ? access : null);
    }

    /**
     * Publishes a read-only double dataref {@code name} whose reads call {@code reader}.
     *
     * @param name the dataref's name
     * @param reader what answers reads
     * @return the dataref; {@link #isValid()} is false if the simulator refused the name
     */
    public static JavaBackedDataRef publishDouble(String name, DoubleReader reader) {
        return publishDouble(name, reader, null);
    }

    /**
     * Publishes a double dataref {@code name} whose reads call {@code reader} and whose writes, by the
     * simulator or other plugins, call {@code writer}.
     *
     * @param name the dataref's name
     * @param reader what answers reads
     * @param writer what receives writes; null publishes the dataref read-only
     * @return the dataref; {@link #isValid()} is false if the simulator refused the name
     */
    public static JavaBackedDataRef publishDouble(String name, DoubleReader reader, DoubleWriter writer) {
        DoubleAccess access = new DoubleAccess(reader, writer);
        return new JavaBackedDataRef(name, TYPE_DOUBLE, writer != null, access, writer != null ? access : null);
    }

    /** A float reader and writer as the accessors the bridge calls. */
    private static final class FloatAccess implements DataReadAccessor, DataWriteAccessor {
        private final FloatReader reader;
        private final FloatWriter writer;

        FloatAccess(FloatReader reader, FloatWriter writer) {
            this.reader = reader;
            this.writer = writer;
        }

        @Override
        public float readFloat() {
            return reader.read();
        }

        @Override
        public void writeFloat(float value) {
            writer.write(value);
        }
    }

    /** An int reader and writer as the accessors the bridge calls. */
    private static final class IntAccess implements DataReadAccessor, DataWriteAccessor {
        private final IntReader reader;
        private final IntWriter writer;

        IntAccess(IntReader reader, IntWriter writer) {
            this.reader = reader;
            this.writer = writer;
        }

        @Override
        public int readInt() {
            return reader.read();
        }

        @Override
        public void writeInt(int value) {
            writer.write(value);
        }
    }

    /** A double reader and writer as the accessors the bridge calls. */
    private static final class DoubleAccess implements DataReadAccessor, DataWriteAccessor {
        private final DoubleReader reader;
        private final DoubleWriter writer;

        DoubleAccess(DoubleReader reader, DoubleWriter writer) {
            this.reader = reader;
            this.writer = writer;
        }

        @Override
        public double readDouble() {
            return reader.read();
        }

        @Override
        public void writeDouble(double value) {
            writer.write(value);
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
