package com.brevanto.qovin.testing;

import com.brevanto.qovin.XPlanePluginHelper;
import com.brevanto.qovin.camera.XPlaneCameraControlHelper;
import com.brevanto.qovin.data.DirectDataRef;
import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.display.XPlaneDisplayHelper;
import com.brevanto.qovin.graphics.XPlaneGraphics;
import com.brevanto.qovin.navigation.XPlaneNavigation;
import com.brevanto.qovin.util.XPlaneCommandRef;
import com.brevanto.qovin.util.XPlaneDebugStringImpl;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

/** Uses the API from a thread that is not the simulator's main thread. */
public final class WrongThread {
    private WrongThread() {
    }

    /**
     * Runs one call of each kind on a new thread; answers the calls that did
     * not throw IllegalStateException (none, when every one is refused).
     */
    public static String[] callsNotRefused(XPlaneDataRef ref, DirectDataRef direct, Soak.Loop loop)
            throws InterruptedException {
        Map<String, Runnable> calls = new LinkedHashMap<>();
        calls.put("find", () -> XPlaneDataRef.find("sim/time/total_running_time_sec"));
        calls.put("getFloat", ref::getFloat);
        calls.put("setFloatArray", () -> ref.setFloatArray(0, new float[1]));
        calls.put("direct.set", () -> direct.set(1));
        calls.put("register", () -> loop.register(-1f));
        calls.put("command", () -> new XPlaneCommandRef("sim/operation/pause_toggle"));
        calls.put("debugString", () -> XPlaneDebugStringImpl.debugString("x"));
        calls.put("pluginInfo", () -> XPlanePluginHelper.getPluginInfo(1));
        calls.put("drawString", () -> XPlaneGraphics.drawString(null, 0, 0, "x", 0, 0));
        calls.put("navaid", () -> new XPlaneNavigation().getFirstNavAid());
        calls.put("screenSize", () -> XPlaneDisplayHelper.getScreenSizeN(new int[2]));
        calls.put("camera", () -> XPlaneCameraControlHelper.readCameraPosition(new float[7]));
        List<String> notRefused = new ArrayList<>();
        Thread worker = new Thread(() -> {
            for (Map.Entry<String, Runnable> call : calls.entrySet()) {
                try {
                    call.getValue().run();
                    notRefused.add(call.getKey());
                } catch (IllegalStateException expected) {
                    // refused
                }
            }
        }, "worker");
        worker.start();
        worker.join();
        return notRefused.toArray(new String[0]);
    }
}
