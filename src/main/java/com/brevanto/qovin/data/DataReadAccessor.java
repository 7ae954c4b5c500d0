package com.brevanto.qovin.data;

/**
 * Answers the simulator's and other plugins' reads of a dataref that Java
 * publishes ({@link JavaBackedDataRef}). Implement the reads of the types the
 * dataref offers; the others answer 0.
 */
public interface DataReadAccessor {
    default int readInt() {
        return 0;
    }

    default float readFloat() {
        return 0f;
    }

    default double readDouble() {
        return 0.0;
    }

    /** Number of elements of an int array dataref. */
    default int getIntArraySize() {
        return 0;
    }

    /**
     * Places elements from {@code offset} on at the start of {@code buf} (1024
     * elements) and returns how many it placed.
     */
    default int readIntArray(int offset, int[] buf) {
        return 0;
    }

    default int getFloatArraySize() {
        return 0;
    }

    default int readFloatArray(int offset, float[] buf) {
        return 0;
    }

    /** Size of a byte dataref, in bytes. */
    default int getDataArraySize() {
        return 0;
    }

    default int readData(int offset, byte[] buf) {
        return 0;
    }
}
