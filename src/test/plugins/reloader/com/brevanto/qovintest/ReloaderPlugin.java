package com.brevanto.qovintest;

import com.brevanto.qovin.Registration;
import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.XPlanePluginHelper;
import com.brevanto.qovin.data.DirectDataRef;
import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;

/**
 * Asks the simulator to reload every plugin from its first flight loop, once
 * per JVM. Its starts, enables, disables and stops are counted in system
 * properties, which outlive its class loader, and published as datarefs.
 */
public class ReloaderPlugin implements XPlanePlugin {
    private DirectDataRef starts;
    private DirectDataRef stops;
    private Registration loop;

    private static int count(String what) {
        int n = Integer.getInteger("qovintest.reloader." + what, 0) + 1;
        System.setProperty("qovintest.reloader." + what, Integer.toString(n));
        return n;
    }

    @Override
    public void start() {
        starts = DirectDataRef.publishInt("qovintest/reloader/starts", count("starts"));
        stops = DirectDataRef.publishInt("qovintest/reloader/stops", Integer.getInteger("qovintest.reloader.stops", 0));
    }

    @Override
    public void enable() {
        loop = XPlaneFlightLoopCallbackHelper.schedule(-1, (sinceCall, sinceLoop, counter) -> {
            if (Boolean.parseBoolean(System.getProperty("qovintest.reloader.asked", "false"))) {
                return 0;
            }
            System.setProperty("qovintest.reloader.asked", "true");
            XPlanePluginHelper.reloadPlugins();
            return 0;
        });
    }

    @Override
    public void disable() {
        loop.close();
        System.out.println("reloader disabled " + count("disables"));
    }

    @Override
    public void stop() {
        System.out.println("reloader stopped " + count("stops"));
        starts.unregister();
        stops.unregister();
    }
}
