package com.brevanto.qovin.example;

import com.brevanto.qovin.data.DataReadAccessor;
import com.brevanto.qovin.data.DataWriteAccessor;
import com.brevanto.qovin.data.DirectArrayDataRef;
import com.brevanto.qovin.data.DirectDataRef;
import com.brevanto.qovin.data.JavaBackedDataRef;
import com.brevanto.qovin.data.XPlaneDataRef;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;

/**
 * The example's own datarefs, one of each kind: six served by Java objects
 * (int, float, double, float array, int array, bytes) and five served from
 * direct buffers (int, float, double, float array, int array).
 */
final class ExampleDataRefs implements DataReadAccessor, DataWriteAccessor {
    int loops;
    float targetSpeed = 25f;
    double distance;
    private final float[] levers = {0.5f, 0.5f, 0f, 0f};
    private final int[] switches = {1, 0, 1};
    private byte[] callsign = "QOVIN1".getBytes(StandardCharsets.UTF_8);

    private final List<JavaBackedDataRef> javaBacked = new ArrayList<>();
    final DirectDataRef gear;
    final DirectDataRef heading;
    final DirectDataRef altitude;
    final DirectArrayDataRef fuel;
    final DirectArrayDataRef doors;

    ExampleDataRefs() {
        javaBacked.add(publish("qovin/example/loop_count", XPlaneDataRef.TYPE_INT, false));
        javaBacked.add(publish("qovin/example/target_speed", XPlaneDataRef.TYPE_FLOAT, true));
        javaBacked.add(publish("qovin/example/distance_m", XPlaneDataRef.TYPE_DOUBLE, false));
        javaBacked.add(publish("qovin/example/levers", XPlaneDataRef.TYPE_FLOAT_ARRAY, true));
        javaBacked.add(publish("qovin/example/switches", XPlaneDataRef.TYPE_INT_ARRAY, true));
        javaBacked.add(publish("qovin/example/callsign", XPlaneDataRef.TYPE_DATA, true));
        gear = DirectDataRef.publishInt("qovin/example/direct/gear_down", 1);
        heading = DirectDataRef.publishFloat("qovin/example/direct/heading", 0f);
        altitude = DirectDataRef.publishDouble("qovin/example/direct/altitude_m", 0.0);
        fuel = DirectArrayDataRef.publishFloats("qovin/example/direct/fuel_kg", 2);
        fuel.floats().put(0, 60f).put(1, 55f);
        doors = DirectArrayDataRef.publishInts("qovin/example/direct/doors_open", 2);
    }

    private JavaBackedDataRef publish(String name, int type, boolean writable) {
        return new JavaBackedDataRef(name, type, writable, this, writable ? this : null);
    }

    void unregisterAll() {
        javaBacked.forEach(JavaBackedDataRef::unregister);
        gear.unregister();
        heading.unregister();
        altitude.unregister();
        fuel.unregister();
        doors.unregister();
    }

    String describe() {
        return String.format("target speed %.1f, levers %s, switches %s, callsign %s", targetSpeed,
                Arrays.toString(levers), Arrays.toString(switches), new String(callsign, StandardCharsets.UTF_8));
    }

    @Override
    public int readInt() {
        return loops;
    }

    @Override
    public float readFloat() {
        return targetSpeed;
    }

    @Override
    public void writeFloat(float value) {
        targetSpeed = value;
    }

    @Override
    public double readDouble() {
        return distance;
    }

    @Override
    public int getFloatArraySize() {
        return levers.length;
    }

    @Override
    public int readFloatArray(int offset, float[] buf) {
        return copyOut(levers, levers.length, offset, buf, buf.length);
    }

    @Override
    public void writeFloatArray(float[] values, int offset, int count) {
        copyIn(values, levers, levers.length, offset, count);
    }

    @Override
    public int getIntArraySize() {
        return switches.length;
    }

    @Override
    public int readIntArray(int offset, int[] buf) {
        return copyOut(switches, switches.length, offset, buf, buf.length);
    }

    @Override
    public void writeIntArray(int[] values, int offset, int count) {
        copyIn(values, switches, switches.length, offset, count);
    }

    @Override
    public int getDataArraySize() {
        return callsign.length;
    }

    @Override
    public int readData(int offset, byte[] buf) {
        return copyOut(callsign, callsign.length, offset, buf, buf.length);
    }

    @Override
    public void writeData(byte[] values, int offset, int count) {
        if (offset == 0 && count > 0) {
            callsign = Arrays.copyOf(values, count);
        }
    }

    /** Elements of {@code source} from {@code offset} on, as many as fit into {@code buf}; returns how many. */
    private static int copyOut(Object source, int length, int offset, Object buf, int room) {
        if (offset < 0 || offset >= length) {
            return 0;
        }
        int n = Math.min(length - offset, room);
        System.arraycopy(source, offset, buf, 0, n);
        return n;
    }

    /** The first {@code count} of {@code values} into {@code target} from {@code offset} on, as many as fit. */
    private static void copyIn(Object values, Object target, int length, int offset, int count) {
        if (offset < 0 || offset >= length || count <= 0) {
            return;
        }
        System.arraycopy(values, 0, target, offset, Math.min(length - offset, count));
    }
}
