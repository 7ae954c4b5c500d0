package com.brevanto.qovin.data;

/**
 * Receives every write of a writable double dataref that Java publishes with
 * {@link JavaBackedDataRef#publishDouble(String, DoubleReader, DoubleWriter)}; a lambda will do.
 */
@FunctionalInterface
public interface DoubleWriter {
    /**
     * Receives a value written.
     *
     * @param value the value written
     */
    void write(double value);
}
