package com.brevanto.qovin.bench;

import com.brevanto.qovin.util.XPlaneCommandRef;

/** A command handler that lets every phase go on and counts its calls. */
public final class BenchCommand extends XPlaneCommandRef {
    private long calls;

    public BenchCommand(String name) {
        super(name, "Benchmark command");
    }

    @Override
    public boolean beforehandlerCallback(int phase) {
        calls++;
        return true;
    }

    public long calls() {
        return calls;
    }
}
