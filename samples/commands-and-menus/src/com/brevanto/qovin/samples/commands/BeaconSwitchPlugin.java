package com.brevanto.qovin.samples.commands;

import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.menu.MenuItem;
import com.brevanto.qovin.menu.XPlaneMenu;
import com.brevanto.qovin.util.XPlaneCommandRef;

/**
 * A beacon switch: the command {@value #TOGGLE} turns the beacon lights on or
 * off, and the item Plugins &gt; Lights &gt; Toggle beacon runs that command,
 * its check mark showing whether the beacon is on. Anything that runs the
 * command (a key binding, another plugin) keeps the check mark right.
 */
public class BeaconSwitchPlugin implements XPlanePlugin {
    public static final String TOGGLE = "qovin/samples/lights/toggle_beacon";
    static final String BEACON = "sim/cockpit/electrical/beacon_lights_on";

    private XPlaneDataRef beacon;
    private XPlaneCommandRef toggle;
    private long handler;
    private XPlaneMenu lights;
    private MenuItem item;

    @Override
    public void start() {
        beacon = XPlaneDataRef.find(BEACON);
        toggle = new XPlaneCommandRef(TOGGLE, "Toggle the beacon lights") {
            @Override
            public boolean beforehandlerCallback(int phase) {
                if (phase == PHASE_BEGIN) {
                    beacon.setInt(beacon.getInt() == 0 ? 1 : 0);
                    showState();
                }
                return false;
            }
        };
        handler = toggle.registerHandler(true);
        lights = XPlaneMenu.plugins().submenu("Lights");
        item = new MenuItem("Toggle beacon", toggle::once);
        lights.add(item);
        showState();
    }

    private void showState() {
        lights.setCheck(item, beacon.getInt() != 0 ? XPlaneMenu.CHECKED : XPlaneMenu.UNCHECKED);
    }

    @Override
    public void stop() {
        lights.destroy();
        toggle.unregisterHandler(handler);
    }
}
