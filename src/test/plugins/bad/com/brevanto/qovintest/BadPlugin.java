package com.brevanto.qovintest;

import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.data.DirectDataRef;

/** Publishes a dataref, then throws in start: it is left out, and the dataref released. */
public class BadPlugin implements XPlanePlugin {
    @Override
    public void start() {
        DirectDataRef.publishInt("qovintest/bad/published", 1);
        throw new IllegalStateException("bad start");
    }

    @Override
    public void stop() {
    }
}
