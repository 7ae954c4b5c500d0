package com.brevanto.qovin.data;

/**
 * Answers every read of a float dataref that Java publishes with
 * {@link JavaBackedDataRef#publishFloat(String, FloatReader)}; a lambda will do.
 */
@FunctionalInterface
public interface FloatReader {
    /**
     * The value a reader gets now.
     *
     * @return the value
     */
    float read();
}
