package com.brevanto.qovintest;

import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.data.DirectDataRef;

/** Publishes its version; the test swaps the jar and reloads. */
public class VersionedPlugin implements XPlanePlugin {
    @Override
    public void start() {
        DirectDataRef.publishInt("qovintest/version", 2);
    }

    @Override
    public void stop() {
    }
}
