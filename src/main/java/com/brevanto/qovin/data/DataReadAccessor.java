package com.brevanto.qovin.data;

/**
 * Answers the simulator's and other plugins' reads of a dataref that Java
 * publishes ({@link JavaBackedDataRef}). Implement the reads of the types the
 * dataref offers; the others answer 0.
 */
public interface DataReadAccessor {
    /**
     * Reads an int dataref.
     *
     * @return the value
     */
    default int readInt() {
        return 0;
    }

    /**
     * Reads a float dataref.
     *
     * @return the value
     */
    default float readFloat() {
        return 0f;
    }

    /**
     * Reads a double dataref.
     *
     * @return the value
     */
    default double readDouble() {
        return 0.0;
    }

    /**
     * Number of elements of an int array dataref.
     *
     * @return the number of elements
     */
    default int getIntArraySize() {
        return 0;
    }

    /**
     * Places elements from {@code offset} on at the start of {@code buf} (1024
     * elements) and returns how many it placed.
     *
     * @param offset the first element wanted
     * @param buf where the elements go, from index 0 on
     * @return the number of elements placed
     */
    default int readIntArray(int offset, int[] buf) {
        return 0;
    }

    /**
     * Number of elements of a float array dataref.
     *
     * @return the number of elements
     */
    default int getFloatArraySize() {
        return 0;
    }

    /**
     * Places elements from {@code offset} on at the start of {@code buf} (1024
     * elements) and returns how many it placed.
     *
     * @param offset the first element wanted
     * @param buf where the elements go, from index 0 on
     * @return the number of elements placed
     */
    default int readFloatArray(int offset, float[] buf) {
        return 0;
    }

    /**
     * Size of a byte dataref, in bytes.
     *
     * @return the size in bytes
     */
    default int getDataArraySize() {
        return 0;
    }

    /**
     * Places bytes from {@code offset} on at the start of {@code buf} (1024
     * bytes) and returns how many it placed.
     *
     * @param offset the first byte wanted
     * @param buf where the bytes go, from index 0 on
     * @return the number of bytes placed
     */
    default int readData(int offset, byte[] buf) {
        return 0;
    }
}
