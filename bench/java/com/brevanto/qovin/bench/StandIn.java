package com.brevanto.qovin.bench;

/** What the call-cost benchmark asks of the stand-in simulator (natives of the benchmark binary). */
public final class StandIn {
    private StandIn() {
    }

    /** Turns the stand-in's record of XPLM calls on or off; off while timing. */
    public static native void recordCalls(boolean on);

    /** Whether the latest recorded float array read went into the bridge's scratch buffer. */
    public static native boolean lastFloatArrayReadUsedScratch();
}
