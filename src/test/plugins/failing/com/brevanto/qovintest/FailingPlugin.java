package com.brevanto.qovintest;

import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.display.XPlaneDrawCallbackHelper;

/** A draw callback that throws every frame. */
public class FailingPlugin implements XPlanePlugin {
    @Override
    public void start() {
        new XPlaneDrawCallbackHelper() {
            @Override
            public int callback(int phase, boolean before) {
                throw new ArithmeticException("failing every frame");
            }
        }.register(XPlaneDrawCallbackHelper.PHASE_WINDOW, false);
    }

    @Override
    public void stop() {
    }
}
