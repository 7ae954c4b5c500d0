package com.brevanto.qovin.data;

/**
 * Receives the simulator's and other plugins' writes of a writable dataref
 * that Java publishes ({@link JavaBackedDataRef}). Writes of types the
 * dataref does not offer never arrive.
 */
public interface DataWriteAccessor {
    default void writeInt(int value) {
    }

    default void writeFloat(float value) {
    }

    default void writeDouble(double value) {
    }

    /** {@code count} values (all of {@code values}) for elements {@code offset} on. */
    default void writeIntArray(int[] values, int offset, int count) {
    }

    default void writeFloatArray(float[] values, int offset, int count) {
    }

    default void writeData(byte[] values, int offset, int count) {
    }
}
