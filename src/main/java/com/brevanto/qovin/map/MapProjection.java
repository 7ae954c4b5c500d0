package com.brevanto.qovin.map;

import com.brevanto.qovin.HostThread;

/**
 * A map's projection between latitude and longitude and map coordinates, valid only while the layer callback it
 * was handed to runs. Outside it (a projection kept for later), every method answers false or 0 and writes
 * nothing. Nothing here allocates.
 */
public final class MapProjection {
    private long handle;

    MapProjection() {
    }

    void enter(long projection) {
        handle = projection;
    }

    void leave() {
        handle = 0;
    }

    /**
     * Whether the callback this projection was handed to is running.
     *
     * @return true while it can be used
     */
    public boolean isValid() {
        return handle != 0;
    }

    /**
     * Latitude and longitude (degrees) to map coordinates, written to {@code outXY[0]} and {@code outXY[1]}.
     *
     * @param latitude degrees north
     * @param longitude degrees east
     * @param outXY receives x and y; an array shorter than 2 (or null) gets nothing
     * @return true if written
     */
    public boolean project(double latitude, double longitude, float[] outXY) {
        HostThread.check();
        return MapLayer.projectN(handle, latitude, longitude, outXY);
    }

    /**
     * Map coordinates to latitude and longitude (degrees), written to {@code outLatLon[0]} and
     * {@code outLatLon[1]}.
     *
     * @param x map x
     * @param y map y
     * @param outLatLon receives latitude and longitude; an array shorter than 2 (or null) gets nothing
     * @return true if written
     */
    public boolean unproject(float x, float y, double[] outLatLon) {
        HostThread.check();
        return MapLayer.unprojectN(handle, x, y, outLatLon);
    }

    /**
     * Map units per metre at a point of the map.
     *
     * @param x map x
     * @param y map y
     * @return map units per metre, or 0 outside the callback
     */
    public float scaleMeter(float x, float y) {
        HostThread.check();
        return MapLayer.scaleMeterN(handle, x, y);
    }

    /**
     * The direction of north at a point, in degrees clockwise from up: a true heading is drawn at heading plus
     * this. It may change from frame to frame.
     *
     * @param x map x
     * @param y map y
     * @return degrees, or 0 outside the callback
     */
    public float northHeading(float x, float y) {
        HostThread.check();
        return MapLayer.northHeadingN(handle, x, y);
    }
}
