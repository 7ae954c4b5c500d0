package com.brevanto.qovin.testing;

import com.brevanto.qovin.data.DataReadAccessor;
import com.brevanto.qovin.data.JavaBackedDataRef;
import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.FloatBuffer;
import java.util.ArrayList;
import java.util.List;
import java.util.logging.Handler;
import java.util.logging.LogRecord;
import java.util.logging.Logger;

/** Java code that misuses the API as a careless or hostile plugin would. */
public final class Misuse {
    private Misuse() {
    }

    /** A float-array accessor that, inside a read, withdraws its dataref and then does {@code mode}. */
    public static final class WithdrawingAccessor implements DataReadAccessor {
        public static final int ONLY_WITHDRAW = 0;
        public static final int PUBLISH_AGAIN = 1;
        public static final int REGISTER_FLIGHT_LOOPS = 2;

        private final int mode;
        public JavaBackedDataRef ref;
        public final List<Object> made = new ArrayList<>();

        public WithdrawingAccessor(int mode) {
            this.mode = mode;
        }

        /** Publishes {@code name} served by a new accessor doing {@code mode}. */
        public static WithdrawingAccessor publish(String name, int mode) {
            WithdrawingAccessor accessor = new WithdrawingAccessor(mode);
            accessor.ref = new JavaBackedDataRef(name, XPlaneDataRef.TYPE_FLOAT_ARRAY, false, accessor, null);
            return accessor;
        }

        @Override
        public int getFloatArraySize() {
            return 3;
        }

        @Override
        public int readFloatArray(int offset, float[] values) {
            values[0] = 1.5f;
            values[1] = 2.5f;
            values[2] = 3.5f;
            ref.unregister();
            if (mode == PUBLISH_AGAIN) {
                for (int i = 0; i < 3; i++) {
                    made.add(new JavaBackedDataRef("qovin/test/again" + i, XPlaneDataRef.TYPE_FLOAT, false,
                            new DataReadAccessor() { }, null));
                }
            } else if (mode == REGISTER_FLIGHT_LOOPS) {
                for (int i = 0; i < 20; i++) {
                    Soak.Loop loop = new Soak.Loop();
                    loop.register(-1f);
                    made.add(loop);
                }
            }
            return 3;
        }

        /** Withdraws whatever the read made. */
        public void cleanUp() {
            for (Object o : made) {
                if (o instanceof JavaBackedDataRef) {
                    ((JavaBackedDataRef) o).unregister();
                } else {
                    ((XPlaneFlightLoopCallbackHelper) o).unregisterAll();
                }
            }
            made.clear();
        }
    }

    /** A handler of the bridge's logger that throws at every record. */
    public static final class ThrowingLogHandler extends Handler {
        private static final ThrowingLogHandler INSTANCE = new ThrowingLogHandler();

        public static void install() {
            Logger.getLogger("QOVINNative").addHandler(INSTANCE);
        }

        public static void remove() {
            Logger.getLogger("QOVINNative").removeHandler(INSTANCE);
        }

        @Override
        public void publish(LogRecord record) {
            throw new IllegalStateException("log handler failed");
        }

        @Override
        public void flush() {
        }

        @Override
        public void close() {
        }
    }

    /** A direct float buffer of {@code n} elements holding 0, 1, 2, ... */
    public static FloatBuffer countingFloats(int n) {
        FloatBuffer floats = ByteBuffer.allocateDirect(n * Float.BYTES).order(ByteOrder.nativeOrder()).asFloatBuffer();
        for (int i = 0; i < n; i++) {
            floats.put(i, i);
        }
        return floats;
    }

    /** Publishes {@code count} Java-backed datarefs under a name already taken; returns how many were accepted. */
    public static int publishTaken(String name, int count) {
        int accepted = 0;
        for (int i = 0; i < count; i++) {
            JavaBackedDataRef ref = new JavaBackedDataRef(name, XPlaneDataRef.TYPE_FLOAT, true,
                    new DataReadAccessor() { }, new com.brevanto.qovin.data.DataWriteAccessor() { });
            if (ref.isValid()) {
                accepted++;
                ref.unregister();
            }
        }
        return accepted;
    }
}
