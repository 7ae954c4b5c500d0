package com.brevanto.qovin.data;

/**
 * Answers every read of a double dataref that Java publishes with
 * {@link JavaBackedDataRef#publishDouble(String, DoubleReader)}; a lambda will do.
 */
@FunctionalInterface
public interface DoubleReader {
    /**
     * The value a reader gets now.
     *
     * @return the value
     */
    double read();
}
