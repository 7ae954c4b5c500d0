package com.brevanto.qovin.testing;

/** A shared-data notification that counts its calls, and may throw. */
public final class RecordingShare implements Runnable {
    private final boolean throwing;
    private int runs;

    public RecordingShare(boolean throwing) {
        this.throwing = throwing;
    }

    @Override
    public void run() {
        runs++;
        if (throwing) {
            throw new IllegalStateException("recording share fails");
        }
    }

    public int runs() {
        return runs;
    }
}
