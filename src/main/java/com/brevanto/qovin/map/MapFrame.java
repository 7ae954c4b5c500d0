package com.brevanto.qovin.map;

import com.brevanto.qovin.HostThread;

/**
 * One stage of a map frame as a layer's callback sees it: the area (left, top, right, bottom in map units), the
 * zoom, the map's style and its projection. The layer keeps one and refills it for each call, so nothing is
 * allocated per frame; it is valid only during the call. Icons and labels are queued through it in their stages.
 */
public final class MapFrame {
    /** Stage: preparing the cache. */
    public static final int PREPARE_CACHE = 0;
    /** Stage: OpenGL drawing. */
    public static final int DRAW = 1;
    /** Stage: icons. */
    public static final int ICONS = 2;
    /** Stage: labels. */
    public static final int LABELS = 3;

    private final MapProjection projection = new MapProjection();
    private long layer;
    private int stage = -1;
    private float left;
    private float top;
    private float right;
    private float bottom;
    private float zoomRatio;
    private float mapUnitsPerUserInterfaceUnit;
    private int style;

    MapFrame() {
    }

    void enter(long layerId, int stageNow, float l, float t, float r, float b, float zoom, float units, int mapStyle,
            long projectionId) {
        layer = layerId;
        stage = stageNow;
        left = l;
        top = t;
        right = r;
        bottom = b;
        zoomRatio = zoom;
        mapUnitsPerUserInterfaceUnit = units;
        style = mapStyle;
        projection.enter(projectionId);
    }

    void leave() {
        layer = 0;
        stage = -1;
        projection.leave();
    }

    /**
     * The stage under way, or -1 outside the callback.
     *
     * @return one of {@link #PREPARE_CACHE}, {@link #DRAW}, {@link #ICONS}, {@link #LABELS}, or -1
     */
    public int stage() {
        return stage;
    }

    /**
     * The area's left edge.
     *
     * @return map units
     */
    public float left() {
        return left;
    }

    /**
     * The area's top edge.
     *
     * @return map units
     */
    public float top() {
        return top;
    }

    /**
     * The area's right edge.
     *
     * @return map units
     */
    public float right() {
        return right;
    }

    /**
     * The area's bottom edge.
     *
     * @return map units
     */
    public float bottom() {
        return bottom;
    }

    /**
     * The zoom ratio (0 when preparing the cache).
     *
     * @return the zoom
     */
    public float zoomRatio() {
        return zoomRatio;
    }

    /**
     * Map units per user-interface unit (0 when preparing the cache).
     *
     * @return the ratio
     */
    public float mapUnitsPerUserInterfaceUnit() {
        return mapUnitsPerUserInterfaceUnit;
    }

    /**
     * The map's style (0 when preparing the cache).
     *
     * @return one of the {@code MapLayer.STYLE_*} constants
     */
    public int style() {
        return style;
    }

    /**
     * The map's projection, valid during this call.
     *
     * @return the projection
     */
    public MapProjection projection() {
        return projection;
    }

    /**
     * Queues an icon: cell (s, t) of a PNG sheet {@code ds} cells wide and {@code dt} high, centred at (x, y),
     * turned {@code rotationDegrees} from map north or screen up, {@code mapWidth} map units wide. Only in the
     * icon stage; anywhere else it is ignored.
     *
     * @param pngPath the sheet
     * @param s the cell's column
     * @param t the cell's row
     * @param ds columns of the sheet
     * @param dt rows of the sheet
     * @param x map x
     * @param y map y
     * @param orientation {@link MapLayer#ORIENTATION_MAP} or {@link MapLayer#ORIENTATION_UI}
     * @param rotationDegrees the rotation
     * @param mapWidth width in map units
     */
    public void drawIcon(String pngPath, int s, int t, int ds, int dt, float x, float y, int orientation,
            float rotationDegrees, float mapWidth) {
        HostThread.check();
        MapLayer.drawIconN(layer, pngPath, s, t, ds, dt, x, y, orientation, rotationDegrees, mapWidth);
    }

    /**
     * Queues a label at (x, y). Only in the label stage; anywhere else it is ignored.
     *
     * @param text the text (null draws nothing)
     * @param x map x
     * @param y map y
     * @param orientation {@link MapLayer#ORIENTATION_MAP} or {@link MapLayer#ORIENTATION_UI}
     * @param rotationDegrees the rotation
     */
    public void drawLabel(String text, float x, float y, int orientation, float rotationDegrees) {
        HostThread.check();
        MapLayer.drawLabelN(layer, text, x, y, orientation, rotationDegrees);
    }
}
