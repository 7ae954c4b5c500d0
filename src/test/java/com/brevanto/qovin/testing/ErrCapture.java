package com.brevanto.qovin.testing;

import java.io.ByteArrayOutputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;

/** Captures what Java code (and printed exceptions) write to System.err. */
public final class ErrCapture {
    private static PrintStream saved;
    private static ByteArrayOutputStream buffer;

    private ErrCapture() {
    }

    public static void start() {
        saved = System.err;
        buffer = new ByteArrayOutputStream();
        System.setErr(new PrintStream(buffer, true, StandardCharsets.UTF_8));
    }

    /** Ends the capture and returns what was written. */
    public static String stop() {
        System.err.flush();
        System.setErr(saved);
        return buffer.toString(StandardCharsets.UTF_8);
    }
}
