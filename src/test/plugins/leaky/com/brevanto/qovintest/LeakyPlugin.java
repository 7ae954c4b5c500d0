package com.brevanto.qovintest;

import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.camera.XPlaneCameraControlHelper;
import com.brevanto.qovin.data.DataReadAccessor;
import com.brevanto.qovin.data.DirectArrayDataRef;
import com.brevanto.qovin.data.JavaBackedDataRef;
import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.display.XPlaneDrawCallbackHelper;
import com.brevanto.qovin.display.XPlaneKeySnifferHelper;
import com.brevanto.qovin.display.XPlaneWindowHelper;
import com.brevanto.qovin.menu.MenuItem;
import com.brevanto.qovin.menu.XPlaneMenu;
import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;
import com.brevanto.qovin.scenery.XPlaneDrawInfo;
import com.brevanto.qovin.scenery.XPlaneSceneryFactory;
import com.brevanto.qovin.util.XPlaneCommandRef;

/** Registers one of everything and releases nothing at stop. */
public class LeakyPlugin implements XPlanePlugin {
    @Override
    public void start() {
        new XPlaneFlightLoopCallbackHelper() {
            @Override
            public float callback(float a, float b, int c) {
                return -1f;
            }
        }.register(-1f);
        new XPlaneDrawCallbackHelper() {
            @Override
            public int callback(int phase, boolean before) {
                return 1;
            }
        }.register(XPlaneDrawCallbackHelper.PHASE_WINDOW, false);
        new XPlaneKeySnifferHelper() {
            @Override
            public boolean keySnifferFunc(char key, int flags, char virtualKey) {
                return false;
            }
        }.register(true);
        new XPlaneWindowHelper() { }.create(0, 200, 200, 0, true);
        new XPlaneCommandRef("qovintest/leaky/command", "Leaky") { }.registerHandler(true);
        new JavaBackedDataRef("qovintest/leaky/backed", XPlaneDataRef.TYPE_FLOAT, false, new DataReadAccessor() { },
                null);
        DirectArrayDataRef.publishFloats("qovintest/leaky/array", 4);
        XPlaneMenu.plugins().submenu("Leaky").add(new MenuItem("Item"));
        XPlaneCameraControlHelper.controlCamera((position, losing) -> 1, XPlaneCameraControlHelper.FOREVER);
        new XPlaneSceneryFactory().createProbe();
        new XPlaneDrawInfo(3);
    }

    @Override
    public void stop() {
    }
}
