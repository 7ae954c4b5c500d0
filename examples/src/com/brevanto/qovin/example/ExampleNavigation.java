package com.brevanto.qovin.example;

import com.brevanto.qovin.QOVINPluginInfo;
import com.brevanto.qovin.XPlanePluginHelper;
import com.brevanto.qovin.navigation.QOVINFmsEntryInfo;
import com.brevanto.qovin.navigation.XPlaneNavRef;
import com.brevanto.qovin.navigation.XPlaneNavigation;
import com.brevanto.qovin.planes.XPlanePlanes;
import java.util.logging.Logger;

/**
 * The example's look around: the aircraft it flies, the nearest airport, the
 * Seattle VOR found by its frequency and added to the end of the flight plan,
 * and a message about it to the traffic board plugin, if one is loaded.
 */
final class ExampleNavigation {
    /** A plugin command of our own: the high bit is clear, the value below 0x00FFFFFF. */
    static final int MESSAGE_NEAREST_AIRPORT = 0x00514E01;
    private static final String TRAFFIC_BOARD = "com.example.trafficboard";
    private static final int SEATTLE_VOR_FREQUENCY = 11680;  // 116.80 MHz
    private static final Logger LOG = Logger.getLogger("qovin.example");

    private ExampleNavigation() {
    }

    static void lookAround(double latitude, double longitude) {
        String[] model = XPlanePlanes.getNthAircraftModel(XPlanePlanes.USER_AIRCRAFT);
        LOG.info("flying " + model[0] + " from " + model[1]);

        XPlaneNavigation navigation = new XPlaneNavigation();
        XPlaneNavRef airport = navigation.findNearest(XPlaneNavigation.TYPE_AIRPORT, (float) latitude,
                (float) longitude);
        XPlaneNavRef vor = navigation.findByFrequency(XPlaneNavigation.TYPE_VOR, SEATTLE_VOR_FREQUENCY);
        LOG.info("nearest airport " + airport.getId() + " (" + airport.getName() + "), VOR on 116.80: "
                + vor.getId() + " (" + vor.getName() + ")");
        if (vor.isFound()) {
            int last = navigation.countFMSEntries();
            navigation.setFMSEntryInfo(last, vor, 6000);
            QOVINFmsEntryInfo added = navigation.getFMSEntryInfo(last);
            LOG.info("flight plan entry " + last + ": " + added + ", " + navigation.countFMSEntries()
                    + " entries, GPS to " + navigation.getGPSDestination().getId());
        }

        int board = XPlanePluginHelper.findPluginBySignature(TRAFFIC_BOARD);
        if (board == XPlanePluginHelper.NO_PLUGIN_ID || !XPlanePluginHelper.isPluginEnabled(board)) {
            LOG.info("no traffic board to tell");
            return;
        }
        QOVINPluginInfo info = XPlanePluginHelper.getPluginInfo(board);
        QOVINPluginInfo me = XPlanePluginHelper.getPluginInfo(XPlanePluginHelper.getMyId());
        new XPlanePluginHelper().sendMessage(board, MESSAGE_NEAREST_AIRPORT,
                me.getName() + ": nearest airport " + airport.getId() + ", next VOR " + vor.getId());
        LOG.info("told " + info.getName() + " (plugin " + info.getId() + ") about " + airport.getId());
    }
}
