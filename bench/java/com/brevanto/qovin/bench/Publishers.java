package com.brevanto.qovin.bench;

import com.brevanto.qovin.data.DirectArrayDataRef;
import com.brevanto.qovin.data.DirectDataRef;
import com.brevanto.qovin.data.JavaBackedDataRef;
import com.brevanto.qovin.data.XPlaneDataRef;
import java.util.ArrayList;
import java.util.List;

/**
 * What the callback benchmarks set up in Java: published datarefs and
 * flight-loop registrations, kept here (so never collected) until changed.
 */
public final class Publishers {
    private static final List<JavaBackedDataRef> JAVA_BACKED = new ArrayList<>();
    private static final List<DirectDataRef> DIRECT = new ArrayList<>();
    private static final List<BenchFlightLoop> LOOPS = new ArrayList<>();
    private static final List<Object> KEPT = new ArrayList<>();

    private Publishers() {
    }

    /** Publishes a Java-backed float and float array dataref; returns its handle. */
    public static long publishJavaBacked(String name, BenchAccessor accessor) {
        JavaBackedDataRef ref = new JavaBackedDataRef(name,
                XPlaneDataRef.TYPE_FLOAT | XPlaneDataRef.TYPE_FLOAT_ARRAY, true, accessor, accessor);
        KEPT.add(ref);
        return ref.getHandle();
    }

    public static long publishDirectFloat(String name) {
        DirectDataRef ref = DirectDataRef.publishFloat(name, 1.5f);
        KEPT.add(ref);
        return ref.getHandle();
    }

    public static long publishDirectFloats(String name, int size) {
        DirectArrayDataRef ref = DirectArrayDataRef.publishFloats(name, size);
        KEPT.add(ref);
        return ref.getHandle();
    }

    /**
     * Makes exactly {@code count} Java-backed floats "bench/growth/java/N" exist,
     * registering or unregistering the newest; returns the handle of the newest.
     */
    public static long javaBackedCount(int count) {
        while (JAVA_BACKED.size() > count) {
            JAVA_BACKED.remove(JAVA_BACKED.size() - 1).unregister();
        }
        while (JAVA_BACKED.size() < count) {
            JAVA_BACKED.add(new JavaBackedDataRef("bench/growth/java/" + JAVA_BACKED.size(), XPlaneDataRef.TYPE_FLOAT,
                    true, new BenchAccessor(), null));
        }
        return JAVA_BACKED.get(count - 1).getHandle();
    }

    /** The same for direct floats "bench/growth/direct/N". */
    public static long directCount(int count) {
        while (DIRECT.size() > count) {
            DIRECT.remove(DIRECT.size() - 1).unregister();
        }
        while (DIRECT.size() < count) {
            DIRECT.add(DirectDataRef.publishFloat("bench/growth/direct/" + DIRECT.size(), DIRECT.size()));
        }
        return DIRECT.get(count - 1).getHandle();
    }

    /** Makes exactly {@code count} flight loops registered, each its own object, every loop; returns the count. */
    public static long flightLoopCount(int count) {
        while (LOOPS.size() > count) {
            LOOPS.remove(LOOPS.size() - 1).unregisterAll();
        }
        while (LOOPS.size() < count) {
            BenchFlightLoop loop = new BenchFlightLoop();
            loop.register(-1.0f);
            LOOPS.add(loop);
        }
        return LOOPS.size();
    }
}
