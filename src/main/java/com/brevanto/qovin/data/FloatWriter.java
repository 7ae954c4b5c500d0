package com.brevanto.qovin.data;

/**
 * Receives every write of a writable float dataref that Java publishes with
 * {@link JavaBackedDataRef#publishFloat(String, FloatReader, FloatWriter)}; a lambda will do.
 */
@FunctionalInterface
public interface FloatWriter {
    /**
     * Receives a value written.
     *
     * @param value the value written
     */
    void write(float value);
}
