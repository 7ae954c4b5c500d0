package com.brevanto.qovin.data;

/**
 * Answers every read of an int dataref that Java publishes with
 * {@link JavaBackedDataRef#publishInt(String, IntReader)}; a lambda will do.
 */
@FunctionalInterface
public interface IntReader {
    /**
     * The value a reader gets now.
     *
     * @return the value
     */
    int read();
}
