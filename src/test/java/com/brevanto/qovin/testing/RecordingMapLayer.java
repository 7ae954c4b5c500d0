package com.brevanto.qovin.testing;

import com.brevanto.qovin.Registration;
import com.brevanto.qovin.map.MapFrame;
import com.brevanto.qovin.map.MapLayer;
import com.brevanto.qovin.map.MapLayerCallbacks;
import com.brevanto.qovin.map.MapProjection;
import com.brevanto.qovin.map.XPlaneMap;
import java.util.ArrayList;
import java.util.List;

/**
 * Map layer callbacks that record each call as "stage layer-name", queue an icon (at 47.5 N, 122.2 W) and a
 * label (the layer's name) in their stages, and also try each in the other stage, where it must be ignored.
 * The labels stage records the projection's round trip. Throws in every stage while failing is set.
 */
public final class RecordingMapLayer implements MapLayerCallbacks {
    private final List<String> calls = new ArrayList<>();
    private final float[] xy = new float[2];
    private final double[] latLon = new double[2];
    private boolean failing;
    public MapProjection keptProjection;
    public MapFrame keptFrame;

    public static MapLayer create(String map, int type, String name, RecordingMapLayer callbacks) {
        return MapLayer.create(map, type, name, true, callbacks);
    }

    /** A listener that creates a markings layer "hooked" with {@code callbacks} in each map opened. */
    public static Registration createOnEachMap(RecordingMapLayer callbacks) {
        return XPlaneMap.onMapCreated(map -> {
            callbacks.calls.add("created " + map);
            MapLayer.create(map, MapLayer.MARKINGS, "hooked", false, callbacks);
        });
    }

    /** A listener that throws for each map opened. */
    public static Registration throwOnEachMap() {
        return XPlaneMap.onMapCreated(map -> {
            throw new IllegalStateException("map listener failed for " + map);
        });
    }

    public void setFailing(boolean failing) {
        this.failing = failing;
    }

    private void record(String stage, MapLayer layer) {
        calls.add(stage + " " + layer.name());
        if (failing) {
            throw new IllegalStateException("map layer failed in " + stage);
        }
    }

    @Override
    public void willBeDeleted(MapLayer layer) {
        record("deleted", layer);
    }

    @Override
    public void prepareCache(MapLayer layer, MapFrame frame) {
        keptProjection = frame.projection();
        keptFrame = frame;
        record("prepare", layer);
        calls.add("area " + frame.left() + " " + frame.top() + " " + frame.right() + " " + frame.bottom());
    }

    @Override
    public void draw(MapLayer layer, MapFrame frame) {
        record("draw", layer);
        calls.add("zoom " + frame.zoomRatio() + " units " + frame.mapUnitsPerUserInterfaceUnit() + " style "
                + frame.style() + " stage " + frame.stage());
    }

    @Override
    public void drawIcons(MapLayer layer, MapFrame frame) {
        record("icons", layer);
        frame.projection().project(47.5, -122.2, xy);
        frame.drawIcon("icons/plane.png", 1, 0, 4, 2, xy[0], xy[1], MapLayer.ORIENTATION_MAP, 45f, 20f);
        frame.drawLabel("wrong stage", 0f, 0f, MapLayer.ORIENTATION_UI, 0f);
    }

    @Override
    public void drawLabels(MapLayer layer, MapFrame frame) {
        record("labels", layer);
        frame.drawLabel(layer.name(), 1f, 2f, MapLayer.ORIENTATION_UI, 0f);
        frame.drawIcon("icons/wrong-stage.png", 0, 0, 1, 1, 0f, 0f, MapLayer.ORIENTATION_UI, 0f, 1f);
        MapProjection projection = frame.projection();
        if (projection.project(47.5, -122.2, xy) && projection.unproject(xy[0], xy[1], latLon)) {
            calls.add(String.format("round trip %.4f %.4f scale %.4f north %.1f", latLon[0], latLon[1],
                    projection.scaleMeter(xy[0], xy[1]), projection.northHeading(xy[0], xy[1])));
        }
    }

    /** The recorded calls, oldest first; clears them. */
    public String[] takeCalls() {
        String[] taken = calls.toArray(new String[0]);
        calls.clear();
        return taken;
    }
}
