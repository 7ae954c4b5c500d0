package com.brevanto.qovin.data;

/**
 * The baselines of the call-cost benchmark: natives declared like those of
 * {@link XPlaneDataRef}, whose native code (bench/baseline_natives.cpp) makes
 * the same XPLM call and nothing else. They live in this package only so that
 * the benchmark can call both sides the same way.
 */
final class BaselineNatives {
    /** Loads the baselines' library, for this class's loader. */
    static void load(String path) {
        System.load(path);
    }

    native long findDataRef(String path);

    static native int getIntValueN(long dataRefPtr);

    static native void setIntValueN(long dataRefPtr, int value);

    static native float getFloatValueN(long dataRefPtr);

    static native void setFloatValueN(long dataRefPtr, float value);

    static native double getDoubleValueN(long dataRefPtr);

    static native void setDoubleValueN(long dataRefPtr, double value);

    static native int getFloatArrayValueN(long dataRefPtr, int offset, float[] buf);

    static native void setFloatArrayValueN(long dataRefPtr, float[] value, int offset, int size);

    static native int getIntArrayValueN(long dataRefPtr, int offset, int[] buf);

    static native void setIntArrayValueN(long dataRefPtr, int[] value, int offset, int size);

    static native int getDataValueN(long dataRefPtr, int offset, byte[] buf);

    static native void setDataValueN(long dataRefPtr, byte[] value, int offset, int size);
}
