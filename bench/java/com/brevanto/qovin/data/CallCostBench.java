package com.brevanto.qovin.data;

import com.brevanto.qovin.bench.NativeAllocations;
import com.brevanto.qovin.bench.StandIn;
import java.lang.management.ManagementFactory;
import java.util.Arrays;
import java.util.Locale;

/**
 * What a call from Java into the simulator costs through the bridge, against
 * {@link BaselineNatives}: for each native, the median time per call over
 * several rounds for both (thread CPU time), their ratio, and the allocations
 * per call (Java heap bytes and native mallocs). The two sides run in alternating order in
 * each round, after a warm-up that lets the JIT compile both loops.
 *
 * <p>The datarefs are the stand-in simulator's own: "bench/int", "bench/float",
 * "bench/double", and 1024 elements each in "bench/floats", "bench/ints" and
 * "bench/bytes". The benchmark binary defines them before {@link #run}.
 */
final class CallCostBench {
    /** One side of a measurement: {@code calls} calls of one native in a loop. */
    interface Loop {
        double run(int calls);
    }

    private static final com.sun.management.ThreadMXBean THREADS =
            (com.sun.management.ThreadMXBean) ManagementFactory.getThreadMXBean();

    private final int rounds;
    private final int warmups;
    private final long roundNanos;
    private final boolean critical;
    private double sink;

    private CallCostBench(boolean critical, boolean smoke) {
        this.critical = critical;
        this.rounds = smoke ? 1 : 31;
        this.warmups = smoke ? 1 : 10;
        this.roundNanos = smoke ? 200_000L : 5_000_000L;
    }

    /** Runs every measurement and prints the table (Markdown) on standard output. */
    static void run(boolean critical, boolean smoke) {
        new CallCostBench(critical, smoke).runAll();
    }

    private void runAll() {
        final long i = find("bench/int");
        final long f = find("bench/float");
        final long d = find("bench/double");
        final long fa = find("bench/floats");
        final long ia = find("bench/ints");
        final long ba = find("bench/bytes");
        final XPlaneDataRef finder = new XPlaneDataRef(0L);
        final BaselineNatives baseFinder = new BaselineNatives();
        final String path = "sim/flightmodel/position/latitude";
        // Two-, three- and four-byte characters (the baseline's modified UTF-8
        // of the last differs, so neither side finds this name).
        final String wide = "qovin/bench/h\u00F6he_\u00FCber_\u20AC_\uD83D\uDE80";

        System.out.println();
        System.out.println("Java to simulator" + (critical ? ", -XX:+CriticalJNINatives (the JavaCritical_ twins)" : "")
                + ": median ns per call over " + rounds + " rounds");
        System.out.println();
        System.out.println("| native | bridge ns | baseline ns | ratio | Java heap bytes/call | mallocs/call bridge, baseline |");
        System.out.println("|---|---:|---:|---:|---:|---:|");

        measure("getIntValueN", n -> {
            long s = 0;
            for (int k = 0; k < n; k++) {
                s += XPlaneDataRef.getIntValueN(i);
            }
            return s;
        }, n -> {
            long s = 0;
            for (int k = 0; k < n; k++) {
                s += BaselineNatives.getIntValueN(i);
            }
            return s;
        });
        measure("setIntValueN", n -> {
            for (int k = 0; k < n; k++) {
                XPlaneDataRef.setIntValueN(i, k);
            }
            return n;
        }, n -> {
            for (int k = 0; k < n; k++) {
                BaselineNatives.setIntValueN(i, k);
            }
            return n;
        });
        measure("getFloatValueN", n -> {
            double s = 0;
            for (int k = 0; k < n; k++) {
                s += XPlaneDataRef.getFloatValueN(f);
            }
            return s;
        }, n -> {
            double s = 0;
            for (int k = 0; k < n; k++) {
                s += BaselineNatives.getFloatValueN(f);
            }
            return s;
        });
        measure("setFloatValueN", n -> {
            for (int k = 0; k < n; k++) {
                XPlaneDataRef.setFloatValueN(f, k);
            }
            return n;
        }, n -> {
            for (int k = 0; k < n; k++) {
                BaselineNatives.setFloatValueN(f, k);
            }
            return n;
        });
        measure("getDoubleValueN", n -> {
            double s = 0;
            for (int k = 0; k < n; k++) {
                s += XPlaneDataRef.getDoubleValueN(d);
            }
            return s;
        }, n -> {
            double s = 0;
            for (int k = 0; k < n; k++) {
                s += BaselineNatives.getDoubleValueN(d);
            }
            return s;
        });
        measure("setDoubleValueN", n -> {
            for (int k = 0; k < n; k++) {
                XPlaneDataRef.setDoubleValueN(d, k);
            }
            return n;
        }, n -> {
            for (int k = 0; k < n; k++) {
                BaselineNatives.setDoubleValueN(d, k);
            }
            return n;
        });
        // The public methods, which check the thread before the native call.
        final XPlaneDataRef floatRef = new XPlaneDataRef(f);
        measure("getFloat() (public, thread check)", n -> {
            double s = 0;
            for (int k = 0; k < n; k++) {
                s += floatRef.getFloat();
            }
            return s;
        }, n -> {
            double s = 0;
            for (int k = 0; k < n; k++) {
                s += BaselineNatives.getFloatValueN(f);
            }
            return s;
        });
        measure("setFloat() (public, thread check)", n -> {
            for (int k = 0; k < n; k++) {
                floatRef.setFloat(k);
            }
            return n;
        }, n -> {
            for (int k = 0; k < n; k++) {
                BaselineNatives.setFloatValueN(f, k);
            }
            return n;
        });
        if (!critical) {
            measure("findDataRef", n -> {
                long s = 0;
                for (int k = 0; k < n; k++) {
                    s += finder.findDataRef(path);
                }
                return s;
            }, n -> {
                long s = 0;
                for (int k = 0; k < n; k++) {
                    s += baseFinder.findDataRef(path);
                }
                return s;
            });
            measure("findDataRef, non-ASCII path", n -> {
                long s = 0;
                for (int k = 0; k < n; k++) {
                    s += finder.findDataRef(wide);
                }
                return s;
            }, n -> {
                long s = 0;
                for (int k = 0; k < n; k++) {
                    s += baseFinder.findDataRef(wide);
                }
                return s;
            });
        }
        for (int size : new int[] {8, 1024}) {
            final float[] floats = new float[size];
            final int[] ints = new int[size];
            final byte[] bytes = new byte[size];
            measure("getFloatArrayValueN, " + size, n -> {
                long s = 0;
                for (int k = 0; k < n; k++) {
                    s += XPlaneDataRef.getFloatArrayValueN(fa, 0, floats);
                }
                return s;
            }, n -> {
                long s = 0;
                for (int k = 0; k < n; k++) {
                    s += BaselineNatives.getFloatArrayValueN(fa, 0, floats);
                }
                return s;
            });
            measure("getIntArrayValueN, " + size, n -> {
                long s = 0;
                for (int k = 0; k < n; k++) {
                    s += XPlaneDataRef.getIntArrayValueN(ia, 0, ints);
                }
                return s;
            }, n -> {
                long s = 0;
                for (int k = 0; k < n; k++) {
                    s += BaselineNatives.getIntArrayValueN(ia, 0, ints);
                }
                return s;
            });
            measure("getDataValueN, " + size, n -> {
                long s = 0;
                for (int k = 0; k < n; k++) {
                    s += XPlaneDataRef.getDataValueN(ba, 0, bytes);
                }
                return s;
            }, n -> {
                long s = 0;
                for (int k = 0; k < n; k++) {
                    s += BaselineNatives.getDataValueN(ba, 0, bytes);
                }
                return s;
            });
            measure("setFloatArrayValueN, " + size, n -> {
                for (int k = 0; k < n; k++) {
                    XPlaneDataRef.setFloatArrayValueN(fa, floats, 0, size);
                }
                return n;
            }, n -> {
                for (int k = 0; k < n; k++) {
                    BaselineNatives.setFloatArrayValueN(fa, floats, 0, size);
                }
                return n;
            });
            measure("setIntArrayValueN, " + size, n -> {
                for (int k = 0; k < n; k++) {
                    XPlaneDataRef.setIntArrayValueN(ia, ints, 0, size);
                }
                return n;
            }, n -> {
                for (int k = 0; k < n; k++) {
                    BaselineNatives.setIntArrayValueN(ia, ints, 0, size);
                }
                return n;
            });
            measure("setDataValueN, " + size, n -> {
                for (int k = 0; k < n; k++) {
                    XPlaneDataRef.setDataValueN(ba, bytes, 0, size);
                }
                return n;
            }, n -> {
                for (int k = 0; k < n; k++) {
                    BaselineNatives.setDataValueN(ba, bytes, 0, size);
                }
                return n;
            });
        }
        reportTwinUse(fa);
        if (sink == 42.4242) {
            System.out.println();  // keeps every result alive
        }
    }

    /** Says whether the JVM called the critical twins (they read into the Java array itself). */
    private void reportTwinUse(long floatsRef) {
        final float[] buf = new float[8];
        StandIn.recordCalls(true);
        XPlaneDataRef.getFloatArrayValueN(floatsRef, 0, buf);
        final boolean scratch = StandIn.lastFloatArrayReadUsedScratch();
        StandIn.recordCalls(false);
        System.out.println();
        System.out.println("Float array reads went " + (scratch ? "through the scratch buffer (regular natives)"
                : "straight into the Java array (critical twins)") + ".");
    }

    private static long find(String path) {
        XPlaneDataRef ref = XPlaneDataRef.find(path);
        if (ref == null) {
            throw new IllegalStateException("no dataref " + path);
        }
        return ref.getHandle();
    }

    private void measure(String name, Loop bridge, Loop baseline) {
        int calls = 1000;
        while (timeOf(bridge, calls) < roundNanos / 2 && calls < (1 << 26)) {
            calls *= 2;
        }
        for (int w = 0; w < warmups; w++) {
            timeOf(bridge, calls);
            timeOf(baseline, calls);
        }
        final double[] bridgeNs = new double[rounds];
        final double[] baselineNs = new double[rounds];
        for (int r = 0; r < rounds; r++) {
            if (r % 2 == 0) {
                bridgeNs[r] = (double) timeOf(bridge, calls) / calls;
                baselineNs[r] = (double) timeOf(baseline, calls) / calls;
            } else {
                baselineNs[r] = (double) timeOf(baseline, calls) / calls;
                bridgeNs[r] = (double) timeOf(bridge, calls) / calls;
            }
        }
        final double bridgeMedian = median(bridgeNs);
        final double baselineMedian = median(baselineNs);
        final double heapBytes = heapBytesPerCall(bridge, calls);
        final double bridgeMallocs = mallocsPerCall(bridge, calls);
        final double baselineMallocs = mallocsPerCall(baseline, calls);
        System.out.println(String.format(Locale.ROOT, "| %s | %.1f | %.1f | %.2f | %.0f | %.2f, %.2f |", name,
                bridgeMedian, baselineMedian, bridgeMedian / baselineMedian, heapBytes, bridgeMallocs,
                baselineMallocs));
    }

    /**
     * The calling thread's CPU time for {@code calls} calls: on a shared machine
     * far steadier than wall time, and the JVM's other threads are not counted.
     */
    private long timeOf(Loop loop, int calls) {
        final long start = THREADS.getCurrentThreadCpuTime();
        sink += loop.run(calls);
        return THREADS.getCurrentThreadCpuTime() - start;
    }

    /** Java heap bytes the calling thread allocates per call, less what measuring itself costs. */
    private double heapBytesPerCall(Loop loop, int calls) {
        final long idle0 = THREADS.getCurrentThreadAllocatedBytes();
        final long idle1 = THREADS.getCurrentThreadAllocatedBytes();
        final long before = THREADS.getCurrentThreadAllocatedBytes();
        sink += loop.run(calls);
        final long after = THREADS.getCurrentThreadAllocatedBytes();
        return (double) Math.max(0, after - before - (idle1 - idle0)) / calls;
    }

    private double mallocsPerCall(Loop loop, int calls) {
        final long before = NativeAllocations.count();
        sink += loop.run(calls);
        return (double) (NativeAllocations.count() - before) / calls;
    }

    private static double median(double[] values) {
        final double[] sorted = values.clone();
        Arrays.sort(sorted);
        final int middle = sorted.length / 2;
        return sorted.length % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
    }
}
