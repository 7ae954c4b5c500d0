package com.brevanto.qovin.data;

/**
 * Receives the simulator's and other plugins' writes of a writable dataref
 * that Java publishes ({@link JavaBackedDataRef}). Writes of types the
 * dataref does not offer never arrive.
 */
public interface DataWriteAccessor {
    /**
     * Receives a write of an int dataref.
     *
     * @param value the value written
     */
    default void writeInt(int value) {
    }

    /**
     * Receives a write of a float dataref.
     *
     * @param value the value written
     */
    default void writeFloat(float value) {
    }

    /**
     * Receives a write of a double dataref.
     *
     * @param value the value written
     */
    default void writeDouble(double value) {
    }

    /**
     * {@code count} values (all of {@code values}) for elements {@code offset} on.
     *
     * @param values the values
     * @param offset the first element written
     * @param count the number of values
     */
    default void writeIntArray(int[] values, int offset, int count) {
    }

    /**
     * {@code count} values (all of {@code values}) for elements {@code offset} on.
     *
     * @param values the values
     * @param offset the first element written
     * @param count the number of values
     */
    default void writeFloatArray(float[] values, int offset, int count) {
    }

    /**
     * {@code count} bytes (all of {@code values}) for bytes {@code offset} on.
     *
     * @param values the bytes
     * @param offset the first byte written
     * @param count the number of bytes
     */
    default void writeData(byte[] values, int offset, int count) {
    }
}
