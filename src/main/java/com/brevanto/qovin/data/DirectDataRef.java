package com.brevanto.qovin.data;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registrations;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.util.BitSet;

/**
 * A single int, float or double that Java publishes as a dataref, kept in
 * native memory: the simulator's and other plugins' reads and writes are
 * served without calling into Java. Java reads and writes the value with
 * {@link #value()} and {@link #set(double)}, or, without a lock or a
 * conversion through double, with the accessor of its type:
 * {@link #getFloat()} / {@link #setFloat(float)}, {@link #getInt()} /
 * {@link #setInt(int)} or {@link #getDouble()} / {@link #setDouble(double)}.
 * Each costs a memory access.
 *
 * <p>All such datarefs of one type share one direct buffer, which grows as
 * more are published.
 */
public final class DirectDataRef extends XPlaneDataRef {
    private static final Pool FLOATS = new Pool(TYPE_FLOAT, Float.BYTES);
    private static final Pool INTS = new Pool(TYPE_INT, Integer.BYTES);
    private static final Pool DOUBLES = new Pool(TYPE_DOUBLE, Double.BYTES);

    private final Pool pool;
    private final int position;
    /** Where the value lies in the shared buffer, in bytes. */
    private final int offset;
    private boolean registered;
    /** The value once withdrawn: the shared place may then belong to another dataref. */
    private double withdrawnValue;

    private DirectDataRef(Pool pool, String name, double initial) {
        super(0L);
        this.pool = pool;
        this.position = pool.allocate(this);
        this.offset = position * pool.width;
        pool.put(position, initial);
        switch (pool.type) {
            case TYPE_FLOAT:
                dataRefPtr = registerDirectFloatDataAccessor(name, position);
                break;
            case TYPE_INT:
                dataRefPtr = registerDirectIntDataAccessor(name, position);
                break;
            default:
                dataRefPtr = registerDirectDoubleDataAccessor(name, position);
                break;
        }
        registered = dataRefPtr != 0;
        if (!registered) {
            withdrawnValue = pool.get(position);
            pool.free(position);
        } else {
            Registrations.add(this, this::unregister);
        }
    }

    /**
     * Publishes a writable float dataref {@code name}; {@link #isValid()} is false if the name was refused.
     *
     * @param name the dataref's name, e.g. "myplugin/heading"
     * @param initial the value it starts with
     * @return the dataref
     */
    public static DirectDataRef publishFloat(String name, float initial) {
        HostThread.check();
        synchronized (Pool.class) {
            return new DirectDataRef(FLOATS, name, initial);
        }
    }

    /**
     * Publishes a writable int dataref {@code name}; {@link #isValid()} is false if the name was refused.
     *
     * @param name the dataref's name
     * @param initial the value it starts with
     * @return the dataref
     */
    public static DirectDataRef publishInt(String name, int initial) {
        HostThread.check();
        synchronized (Pool.class) {
            return new DirectDataRef(INTS, name, initial);
        }
    }

    /**
     * Publishes a writable double dataref {@code name}; {@link #isValid()} is false if the name was refused.
     *
     * @param name the dataref's name
     * @param initial the value it starts with
     * @return the dataref
     */
    public static DirectDataRef publishDouble(String name, double initial) {
        HostThread.check();
        synchronized (Pool.class) {
            return new DirectDataRef(DOUBLES, name, initial);
        }
    }

    /**
     * The current value, as the simulator last wrote it or Java set it. Once
     * withdrawn (or refused), the value it had then.
     *
     * @return the value
     */
    public double value() {
        HostThread.check();
        synchronized (Pool.class) {
            return registered ? pool.get(position) : withdrawnValue;
        }
    }

    /**
     * Sets the value (converted to the dataref's type). Once withdrawn (or refused), does nothing.
     *
     * @param value the new value
     */
    public void set(double value) {
        HostThread.check();
        synchronized (Pool.class) {
            if (registered) {
                pool.put(position, value);
            }
        }
    }

    /**
     * The current value of a float dataref, read straight from the shared buffer without a lock; 0 for
     * a dataref of another type, as for the simulator. Once withdrawn (or refused), the value it had then.
     *
     * @return the value
     */
    @Override
    public float getFloat() {
        HostThread.check();
        if (pool.type != TYPE_FLOAT) {
            return 0;
        }
        return registered ? pool.bytes.getFloat(offset) : (float) withdrawnValue;
    }

    /**
     * Sets the value of a float dataref, written straight into the shared buffer without a lock; a
     * dataref of another type, as for the simulator, or one withdrawn (or refused), is left as it is.
     *
     * @param value the new value
     */
    @Override
    public void setFloat(float value) {
        HostThread.check();
        if (registered && pool.type == TYPE_FLOAT) {
            pool.bytes.putFloat(offset, value);
        }
    }

    /**
     * The current value of a int dataref, read straight from the shared buffer without a lock; 0 for
     * a dataref of another type, as for the simulator. Once withdrawn (or refused), the value it had then.
     *
     * @return the value
     */
    @Override
    public int getInt() {
        HostThread.check();
        if (pool.type != TYPE_INT) {
            return 0;
        }
        return registered ? pool.bytes.getInt(offset) : (int) withdrawnValue;
    }

    /**
     * Sets the value of a int dataref, written straight into the shared buffer without a lock; a
     * dataref of another type, as for the simulator, or one withdrawn (or refused), is left as it is.
     *
     * @param value the new value
     */
    @Override
    public void setInt(int value) {
        HostThread.check();
        if (registered && pool.type == TYPE_INT) {
            pool.bytes.putInt(offset, value);
        }
    }

    /**
     * The current value of a double dataref, read straight from the shared buffer without a lock; 0 for
     * a dataref of another type, as for the simulator. Once withdrawn (or refused), the value it had then.
     *
     * @return the value
     */
    @Override
    public double getDouble() {
        HostThread.check();
        if (pool.type != TYPE_DOUBLE) {
            return 0;
        }
        return registered ? pool.bytes.getDouble(offset) : withdrawnValue;
    }

    /**
     * Sets the value of a double dataref, written straight into the shared buffer without a lock; a
     * dataref of another type, as for the simulator, or one withdrawn (or refused), is left as it is.
     *
     * @param value the new value
     */
    @Override
    public void setDouble(double value) {
        HostThread.check();
        if (registered && pool.type == TYPE_DOUBLE) {
            pool.bytes.putDouble(offset, value);
        }
    }

    /** Withdraws the dataref and frees its place in the shared buffer; later calls do nothing. */
    public void unregister() {
        HostThread.check();
        synchronized (Pool.class) {
            if (!registered) {
                return;
            }
            unregisterDataAccessor(dataRefPtr, 0, 0);
            withdrawnValue = pool.get(position);
            pool.free(position);
            registered = false;
            Registrations.remove(this);
        }
    }

    /** The shared buffer of one type, its free places, and its growth. */
    private static final class Pool {
        final int type;
        final int width;
        ByteBuffer bytes;
        final BitSet used = new BitSet();

        Pool(int type, int width) {
            this.type = type;
            this.width = width;
        }

        int allocate(XPlaneDataRef owner) {
            int position = used.nextClearBit(0);
            int capacity = bytes == null ? 0 : bytes.capacity() / width;
            if (position >= capacity) {
                grow(owner, Math.max(16, capacity * 2));
            }
            used.set(position);
            return position;
        }

        void free(int position) {
            used.clear(position);
        }

        /** A bigger buffer with the old values, handed to the bridge before the old one is dropped. */
        private void grow(XPlaneDataRef owner, int elements) {
            ByteBuffer bigger = ByteBuffer.allocateDirect(elements * width).order(ByteOrder.nativeOrder());
            if (bytes != null) {
                bigger.put(bytes.duplicate().clear());
                bigger.clear();
            }
            bytes = bigger;
            switch (type) {
                case TYPE_FLOAT:
                    owner.floatBufferReallocated(view());
                    break;
                case TYPE_INT:
                    owner.intBufferReallocated(view());
                    break;
                default:
                    owner.doubleBufferReallocated(view());
                    break;
            }
        }

        private Object view() {
            switch (type) {
                case TYPE_FLOAT:
                    return bytes.asFloatBuffer();
                case TYPE_INT:
                    return bytes.asIntBuffer();
                default:
                    return bytes.asDoubleBuffer();
            }
        }

        double get(int position) {
            switch (type) {
                case TYPE_FLOAT:
                    return bytes.getFloat(position * width);
                case TYPE_INT:
                    return bytes.getInt(position * width);
                default:
                    return bytes.getDouble(position * width);
            }
        }

        void put(int position, double value) {
            switch (type) {
                case TYPE_FLOAT:
                    bytes.putFloat(position * width, (float) value);
                    break;
                case TYPE_INT:
                    bytes.putInt(position * width, (int) value);
                    break;
                default:
                    bytes.putDouble(position * width, value);
                    break;
            }
        }
    }
}
