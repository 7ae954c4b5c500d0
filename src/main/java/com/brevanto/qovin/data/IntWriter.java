package com.brevanto.qovin.data;

/**
 * Receives every write of a writable int dataref that Java publishes with
 * {@link JavaBackedDataRef#publishInt(String, IntReader, IntWriter)}; a lambda will do.
 */
@FunctionalInterface
public interface IntWriter {
    /**
     * Receives a value written.
     *
     * @param value the value written
     */
    void write(int value);
}
