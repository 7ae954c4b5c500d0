package com.brevanto.qovin.example;

import com.brevanto.qovin.camera.QOVINCameraControl;
import com.brevanto.qovin.camera.QOVINCameraPosition;
import com.brevanto.qovin.camera.XPlaneCameraControlHelper;
import com.brevanto.qovin.display.XPlaneDisplayHelper;
import com.brevanto.qovin.display.XPlaneKeySnifferHelper;
import com.brevanto.qovin.menu.MenuItem;
import com.brevanto.qovin.menu.XPlaneMenu;
import java.util.logging.Logger;

/**
 * The example's controls: a menu "qovin example" under the plugins menu with a
 * checkable "Fly-by camera" item and a "Say hello" item, a key sniffer that
 * counts the keys it sees (and lets them pass), and a camera that circles
 * the aircraft for a few frames when the item is checked.
 */
final class ExampleControls {
    private static final Logger LOG = Logger.getLogger("qovin.example");
    private static final int FLY_BY_FRAMES = 5;

    private final class KeyCounter extends XPlaneKeySnifferHelper {
        int keys;

        @Override
        public boolean keySnifferFunc(char key, int flags, char virtualKey) {
            keys++;
            LOG.info(String.format("key sniffer saw '%c' (flags %d)", (char) (key & 0xFF), flags));
            return false;
        }
    }

    private final class FlyBy implements QOVINCameraControl {
        private int frame;

        @Override
        public int controlCamera(QOVINCameraPosition position, boolean losingControl) {
            if (losingControl) {
                LOG.info("fly-by camera released after " + frame + " frames");
                menu.setCheck(flyByItem, XPlaneMenu.UNCHECKED);
                return 0;
            }
            frame++;
            double angle = Math.toRadians(frame * 30);
            position.set((float) (50 * Math.sin(angle)), 20f, (float) (50 * Math.cos(angle)), -10f,
                    (float) Math.toDegrees(angle) + 180f, 0f, 1f);
            return frame < FLY_BY_FRAMES ? 1 : 0;
        }
    }

    private final KeyCounter keyCounter = new KeyCounter();
    private final MenuItem flyByItem = new MenuItem("Fly-by camera", this::toggleFlyBy);
    private final MenuItem helloItem = new MenuItem("Say hello",
            () -> LOG.info("hello from the menu; screen " + pair(XPlaneDisplayHelper.screenSize(), " x ")
                    + ", mouse at " + pair(XPlaneDisplayHelper.mouseLocationGlobal(), ", ")));
    private XPlaneMenu menu;
    private long snifferRef;

    void start() {
        menu = XPlaneMenu.plugins().submenu("qovin example");
        menu.add(flyByItem);
        menu.setCheck(flyByItem, XPlaneMenu.UNCHECKED);
        menu.addSeparator();
        menu.add(helloItem);
        snifferRef = keyCounter.register(true);
    }

    void stop() {
        keyCounter.unregister(snifferRef);
        menu.destroy();
        LOG.info("the key sniffer saw " + keyCounter.keys + " key(s)");
    }

    private void toggleFlyBy() {
        if (menu.toggleCheck(flyByItem)) {
            LOG.info("fly-by camera on");
            XPlaneCameraControlHelper.controlCamera(new FlyBy(), XPlaneCameraControlHelper.UNTIL_VIEW_CHANGES);
        }
    }

    private static String pair(int[] values, String separator) {
        return values[0] + separator + values[1];
    }
}
