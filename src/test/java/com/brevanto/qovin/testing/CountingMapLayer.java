package com.brevanto.qovin.testing;

import com.brevanto.qovin.map.MapFrame;
import com.brevanto.qovin.map.MapLayer;
import com.brevanto.qovin.map.MapLayerCallbacks;
import com.brevanto.qovin.planes.XPlanePlanes;

/**
 * Map layer callbacks that count their stages and, without allocating, project a point, queue an icon and a
 * label; and a counter of planes-available calls that asks again each time it is refused.
 */
public final class CountingMapLayer implements MapLayerCallbacks {
    private final float[] xy = new float[2];
    public long draws;
    public long icons;
    public long labels;
    public long available;

    public static MapLayer create(String map, CountingMapLayer callbacks) {
        return MapLayer.create(map, MapLayer.MARKINGS, "counting", true, callbacks);
    }

    @Override
    public void draw(MapLayer layer, MapFrame frame) {
        draws++;
    }

    @Override
    public void drawIcons(MapLayer layer, MapFrame frame) {
        icons++;
        frame.projection().project(47.5, -122.3, xy);
        frame.drawIcon("soak.png", 0, 0, 1, 1, xy[0], xy[1], MapLayer.ORIENTATION_MAP, 0f, 10f);
    }

    @Override
    public void drawLabels(MapLayer layer, MapFrame frame) {
        labels++;
        frame.drawLabel("soak", xy[0], xy[1], MapLayer.ORIENTATION_UI, 0f);
    }

    /** Asks for the aircraft while another plugin holds them: the answer comes on its release. */
    public boolean waitForPlanes() {
        return XPlanePlanes.acquirePlanes(null, () -> available++);
    }
}
