package com.brevanto.qovin.bench;

/** Native heap allocations, counted by the benchmark binary's own malloc. */
public final class NativeAllocations {
    private NativeAllocations() {
    }

    /** Allocations (malloc and its kin) made by the calling thread so far. */
    public static native long count();
}
