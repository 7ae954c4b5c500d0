package com.brevanto.qovin.samples.maplayer;

import com.brevanto.qovin.Registration;
import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.data.XPlaneDataRef;
import com.brevanto.qovin.map.MapFrame;
import com.brevanto.qovin.map.MapLayer;
import com.brevanto.qovin.map.XPlaneMap;

/**
 * Marks the user's aircraft on the Map window: a markings layer draws an icon at the aircraft's position,
 * turned to its heading, and labels it with its tail number.
 */
public class AircraftMarkerPlugin implements XPlanePlugin {
    /** The icon sheet: one row of four cells; cell 0 is the aircraft. */
    public static final String ICONS = "Resources/plugins/qovin/samples/map-icons.png";
    public static final String LAYER = "My aircraft";

    private final XPlaneDataRef latitude = XPlaneDataRef.find("sim/flightmodel/position/latitude");
    private final XPlaneDataRef longitude = XPlaneDataRef.find("sim/flightmodel/position/longitude");
    private final XPlaneDataRef heading = XPlaneDataRef.find("sim/flightmodel/position/psi");
    private final float[] xy = new float[2];
    private String tailNumber = "";
    private Registration hook;
    private MapLayer layer;

    @Override
    public void start() {
        tailNumber = XPlaneDataRef.find("sim/aircraft/view/acf_tailnum").getString();
        hook = XPlaneMap.onMapCreated(map -> {
            if (map.equals(XPlaneMap.USER_INTERFACE)) {
                addLayer();
            }
        });
        if (XPlaneMap.exists(XPlaneMap.USER_INTERFACE)) {
            addLayer();
        }
    }

    private void addLayer() {
        layer = MapLayer.builder(XPlaneMap.USER_INTERFACE, MapLayer.MARKINGS, LAYER)
                .icons(this::drawIcon)
                .labels(this::drawLabel)
                .willBeDeleted(gone -> layer = null)
                .create();
    }

    // Where the aircraft is on the map, in xy; false outside the callback.
    private boolean place(MapFrame frame) {
        return frame.projection().project(latitude.getDouble(), longitude.getDouble(), xy);
    }

    private void drawIcon(MapLayer l, MapFrame frame) {
        if (place(frame)) {
            float north = frame.projection().northHeading(xy[0], xy[1]);
            float width = 40 * frame.mapUnitsPerUserInterfaceUnit();
            frame.drawIcon(ICONS, 0, 0, 4, 1, xy[0], xy[1], MapLayer.ORIENTATION_MAP, heading.getFloat() + north,
                    width);
        }
    }

    private void drawLabel(MapLayer l, MapFrame frame) {
        if (place(frame)) {
            frame.drawLabel(tailNumber, xy[0], xy[1], MapLayer.ORIENTATION_UI, 0);
        }
    }

    /** Whether the layer is on the map now. */
    public boolean layerShown() {
        return layer != null && layer.isOpen();
    }

    @Override
    public void stop() {
        if (layer != null) {
            layer.close();
        }
        hook.close();
    }
}
